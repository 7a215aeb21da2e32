#include "EditedTest.h"

#include "RtfReader.h"
#include "RtfWriter.h"
#include "UndoCommands.h"

#include <QTextDocument>

namespace {

QByteArray& storedSlot(AuthoredQuestion& question, int slot) {
    return slot == 0 ? question.question : question.answers[static_cast<std::size_t>(slot - 1)];
}

QByteArray bytesOf(const QTextDocument& document) {
    if (document.isEmpty()) return {};
    return writeRtf(document);
}

}  // namespace

EditedQuestion::~EditedQuestion() = default;

EditedTest::EditedTest(QObject* parent) : QObject(parent) {}

void EditedTest::load(const TestDocument& document) {
    emit aboutToReset();
    undoStack_.clear();
    settings_ = document.settings;
    unsetSettings_ = document.unsetSettings;
    questions_.clear();
    for (const AuthoredQuestion& question : document.questions) {
        auto edited = std::make_shared<EditedQuestion>();
        edited->stored = question;
        questions_.push_back(std::move(edited));
    }
    emit reset();
}

TestDocument EditedTest::toTestDocument() const {
    TestDocument document;
    document.settings = settings_;
    document.unsetSettings = unsetSettings_;
    document.questions.reserve(questions_.size());
    for (int i = 0; i < questionCount(); ++i) document.questions.push_back(questionAsStored(i));
    return document;
}

AuthoredQuestion EditedTest::questionAsStored(int index) const {
    const EditedQuestion& edited = *questions_.at(static_cast<std::size_t>(index));
    AuthoredQuestion question = edited.stored;
    for (int slot = 0; slot < DocumentsPerQuestion; ++slot) {
        const QTextDocument* text = edited.documents[static_cast<std::size_t>(slot)].get();
        if (text && text->isModified()) storedSlot(question, slot) = bytesOf(*text);
    }
    return question;
}

void EditedTest::editSettings(const TestSettings& settings) {
    undoStack_.push(new SettingsCommand(*this, settings_, settings));
}

void EditedTest::applySettings(const TestSettings& settings) {
    // A setting the teacher has seen and kept is written from now on.
    unsetSettings_.clear();
    settings_ = settings;
    emit settingsChanged();
}

QTextDocument* EditedTest::document(int question, int slot) {
    EditedQuestion& edited = *questions_.at(static_cast<std::size_t>(question));
    auto& document = edited.documents.at(static_cast<std::size_t>(slot));
    if (!document) {
        document = std::make_unique<QTextDocument>();
        readRtf(storedSlot(edited.stored, slot), *document);
        document->clearUndoRedoStacks();
        document->setModified(false);
        QTextDocument* made = document.get();
        connect(made, &QTextDocument::undoCommandAdded, this,
                [this, made] { undoStack_.push(new TextEditCommand(*made)); });
        connect(made, &QTextDocument::contentsChanged, this, [this, made] {
            const int index = indexOf(made);
            if (index >= 0) emit questionTextChanged(index);
        });
    }
    return document.get();
}

int EditedTest::indexOf(const QTextDocument* document) const {
    for (std::size_t i = 0; i < questions_.size(); ++i)
        for (const auto& own : questions_[i]->documents)
            if (own.get() == document) return static_cast<int>(i);
    return -1;
}

void EditedTest::addQuestion(int at) {
    undoStack_.push(new InsertQuestionCommand(*this, at, std::make_shared<EditedQuestion>(), tr("Add question")));
}

void EditedTest::duplicateQuestion(int index) {
    auto copy = std::make_shared<EditedQuestion>();
    copy->stored = questionAsStored(index);
    undoStack_.push(new InsertQuestionCommand(*this, index + 1, copy, tr("Duplicate question")));
}

void EditedTest::deleteQuestion(int index) { undoStack_.push(new DeleteQuestionCommand(*this, index)); }

void EditedTest::moveQuestion(int from, int to) {
    if (to < 0 || to >= questionCount() || from == to) return;
    undoStack_.push(new MoveQuestionCommand(*this, from, to));
}

void EditedTest::insertQuestion(int at, EditedQuestionPtr question) {
    questions_.insert(questions_.begin() + at, std::move(question));
    emit questionsChanged();
}

EditedQuestionPtr EditedTest::takeQuestion(int index) {
    EditedQuestionPtr question = questions_.at(static_cast<std::size_t>(index));
    questions_.erase(questions_.begin() + index);
    emit questionsChanged();
    return question;
}

void EditedTest::swapQuestions(int from, int to) {
    std::swap(questions_.at(static_cast<std::size_t>(from)), questions_.at(static_cast<std::size_t>(to)));
    emit questionsChanged();
}
