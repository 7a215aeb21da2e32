#include "ufrmResult.h"

#include "Cp1251.h"
#include "DateTimeText.h"
#include "Notices.h"
#include "PieChart3D.h"
#include "ResultsFile.h"
#include "SharedState.h"
#include "WindowSystem.h"

#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <initializer_list>

namespace {

constexpr QSize DesignClientSize(688, 433);
constexpr QSize ButtonSize(75, 25);
constexpr int ButtonTop = 4;

QFont formFont(int pixelSize, bool bold) {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

QFrame* addPanel(QWidget* parent, const QString& name, int height) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(name);
    panel->setFrameShape(QFrame::NoFrame);
    panel->setFixedHeight(height);
    return panel;
}

void setLabelText(QLabel* label, const QString& text) {
    label->setText(text);
    label->adjustSize();
}

QString pointsText(const SharedState& s) {
    const double points = s.Record.CorrectCount * double(s.PointsPerAnswer);
    return QStringLiteral("Набрано баллов: ") + decimalText(points) + QStringLiteral(" из ") +
           QString::number(s.QuestionCount) + QStringLiteral(" возможных.");
}

void fillChart(PieChart3D& chart, const SharedState& s) {
    const int correct = s.Record.CorrectCount;
    chart.clear();
    chart.setValueOrder(correct > s.QuestionCount / 2 ? ValueOrder::Ascending : ValueOrder::Descending);
    chart.addSlice(QStringLiteral("Правильно"), correct, QColor(0, 128, 0));
    chart.addSlice(QStringLiteral("Неправильно"), s.QuestionCount - correct, QColor(255, 255, 0));
}

int rightEdgeOf(std::initializer_list<const QLabel*> labels) {
    int right = 0;
    for (const QLabel* label : labels) right = std::max(right, label->x() + label->width());
    return right;
}

void moveColumn(std::initializer_list<QLabel*> labels, int left) {
    for (QLabel* label : labels) label->move(left, label->y());
}

// The columns stand at their design places unless the font or a long name needs more room:
// then each moves right just enough that no text runs into the next column.
void keepColumnsApart(TfrmResult& form) {
    constexpr int NamesLeft = 96, TestLeft = 264, Gap = 8;
    const int namesLeft = std::max(NamesLeft, rightEdgeOf({form.Label1, form.Label2, form.Label3}) + Gap);
    moveColumn({form.lbFirstName, form.lbLastName, form.lbGroup}, namesLeft);
    const int testLeft = std::max(TestLeft, rightEdgeOf({form.lbFirstName, form.lbLastName, form.lbGroup}) + 2 * Gap);
    moveColumn({form.lbTestName, form.lbBalls, form.lbTime}, testLeft);
}

void fillLabels(TfrmResult& form, const SharedState& s) {
    setLabelText(form.lbTestName, QStringLiteral("Наименование теста: ") + fromCp1251(s.TestTitle));
    setLabelText(form.lbLastName, fromCp1251(s.LastName));
    setLabelText(form.lbFirstName, fromCp1251(s.FirstName));
    setLabelText(form.lbGroup, fromCp1251(s.Group));
    setLabelText(form.lbTime, QStringLiteral("Время: ") + longTimeText(s.ElapsedTime));
    setLabelText(form.lbBalls, pointsText(s));
    keepColumnsApart(form);
}

}  // namespace

TfrmResult::TfrmResult(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmResult"));
    setWindowTitle(QStringLiteral("Результаты теста"));
    setFont(formFont(11, false));

    Panel2 = addPanel(this, QStringLiteral("Panel2"), 73);
    Label1 = addLabel(QStringLiteral("Label1"), 8, 8);
    Label2 = addLabel(QStringLiteral("Label2"), 8, 28);
    Label3 = addLabel(QStringLiteral("Label3"), 8, 48);
    setLabelText(Label1, QStringLiteral("Имя:"));
    setLabelText(Label2, QStringLiteral("Фамилия:"));
    setLabelText(Label3, QStringLiteral("Группа:"));
    lbFirstName = addLabel(QStringLiteral("lbFirstName"), 96, 8);
    lbLastName = addLabel(QStringLiteral("lbLastName"), 96, 28);
    lbGroup = addLabel(QStringLiteral("lbGroup"), 96, 48);
    lbTestName = addLabel(QStringLiteral("lbTestName"), 264, 8);
    lbBalls = addLabel(QStringLiteral("lbBalls"), 264, 28);
    lbTime = addLabel(QStringLiteral("lbTime"), 264, 48);

    Chart1 = new PieChart3D(this);
    Chart1->setObjectName(QStringLiteral("Chart1"));

    Panel1 = addPanel(this, QStringLiteral("Panel1"), 33);
    Button1 = addButton(QStringLiteral("Button1"), QStringLiteral("В начало"));
    Button2 = addButton(QStringLiteral("Button2"), QStringLiteral("Закончить"));
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &TfrmResult::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TfrmResult::Button2Click);
    Panel1->installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Panel2);
    layout->addWidget(Chart1, 1);
    layout->addWidget(Panel1);
    resize(DesignClientSize);
    Button1->setFocus();
}

QLabel* TfrmResult::addLabel(const QString& name, int left, int top) {
    auto* label = new QLabel(Panel2);
    label->setObjectName(name);
    label->setFont(formFont(16, true));
    label->move(left, top);
    return label;
}

QPushButton* TfrmResult::addButton(const QString& name, const QString& caption) {
    auto* button = new QPushButton(caption, Panel1);
    button->setObjectName(name);
    button->resize(ButtonSize);
    return button;
}

void TfrmResult::placeButtons() {
    layout()->activate();
    const int width = Panel1->width();
    button1RightGap_ = 95;
    button2RightGap_ = 190;
    Button1->move(width - button1RightGap_, ButtonTop);
    Button2->move(width - button2RightGap_, ButtonTop);
}

void TfrmResult::keepButtonsAnchored() {
    if (button1RightGap_ == 0) return;
    Button1->move(Panel1->width() - button1RightGap_, ButtonTop);
    Button2->move(Panel1->width() - button2RightGap_, ButtonTop);
}

bool TfrmResult::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Panel1 && event->type() == QEvent::Resize) keepButtonsAnchored();
    return QDialog::eventFilter(watched, event);
}

// Escape is the cancel button's key, so it finishes like "Закончить" rather than the close box.
void TfrmResult::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        Button2->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TfrmResult::Button1Click() {
    Shared().ContinueFlag = 1;
    close();
}

void TfrmResult::Button2Click() {
    Shared().ContinueFlag = 0;
    close();
}

void ShowResults() {
    const SharedState& s = Shared();
    TfrmResult form;
    form.placeButtons();
    fillChart(*form.Chart1, s);
    fillLabels(form, s);
    try {
        SaveResults2File();
    } catch (...) {
        ShowNotice(SaveStepFailedText + QStringLiteral("SaveResults2File"));
    }
    form.setWindowState(Qt::WindowMaximized);
    RunModal(form);
}
