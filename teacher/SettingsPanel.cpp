#include "SettingsPanel.h"

#include "EditedTest.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

#include <cmath>

SettingsPanel::SettingsPanel(EditedTest& test, QWidget* parent)
    : QWidget(parent), test_(test), title_(new QLineEdit), questionsPerTest_(new QSpinBox), minutes_(new QSpinBox),
      points_(new QDoubleSpinBox), allowReturn_(new QCheckBox(tr("Allow return to answered questions"))),
      runningScore_(new QCheckBox(tr("Show the score during the test"))), acceptance_(new QLabel) {
    setObjectName("settingsPanel");
    title_->setObjectName("title");
    questionsPerTest_->setObjectName("questionsPerTest");
    minutes_->setObjectName("minutes");
    points_->setObjectName("points");
    allowReturn_->setObjectName("allowReturn");
    runningScore_->setObjectName("runningScore");
    acceptance_->setObjectName("acceptance");
    acceptance_->setWordWrap(true);

    questionsPerTest_->setRange(1, 100);
    minutes_->setRange(0, 1439);
    minutes_->setSpecialValueText(tr("0 — the test ends at once"));
    points_->setRange(0.0, 214748364.7);
    points_->setDecimals(1);
    points_->setSingleStep(0.5);

    title_->setToolTip(tr("The name students see in the list of tests. When empty, the file name is shown."));
    questionsPerTest_->setToolTip(tr("How many questions one student gets, drawn at random from the file. "
                                     "The file must hold more questions than this."));
    minutes_->setToolTip(tr("Time for the whole test in minutes, up to 23 h 59 min. "
                            "With 0 the time is over as soon as the test starts."));
    points_->setToolTip(tr("Points for each correct answer, in steps of one tenth."));
    allowReturn_->setToolTip(tr("Students may go back to questions they have already answered."));
    runningScore_->setToolTip(tr("Students see their score while they take the test."));

    auto* form = new QFormLayout(this);
    form->addRow(tr("Title:"), title_);
    form->addRow(tr("Questions per test:"), questionsPerTest_);
    form->addRow(QString(), acceptance_);
    form->addRow(tr("Minutes:"), minutes_);
    form->addRow(tr("Points per answer:"), points_);
    form->addRow(QString(), allowReturn_);
    form->addRow(QString(), runningScore_);

    connect(title_, &QLineEdit::textEdited, this, &SettingsPanel::storeSettings);
    connect(questionsPerTest_, &QSpinBox::valueChanged, this, &SettingsPanel::storeSettings);
    connect(minutes_, &QSpinBox::valueChanged, this, &SettingsPanel::storeSettings);
    connect(points_, &QDoubleSpinBox::valueChanged, this, &SettingsPanel::storeSettings);
    connect(allowReturn_, &QCheckBox::toggled, this, &SettingsPanel::storeSettings);
    connect(runningScore_, &QCheckBox::toggled, this, &SettingsPanel::storeSettings);
    connect(&test_, &EditedTest::settingsChanged, this, &SettingsPanel::showSettings);
    connect(&test_, &EditedTest::reset, this, &SettingsPanel::showSettings);
    connect(&test_, &EditedTest::questionsChanged, this, &SettingsPanel::showAcceptance);
    showSettings();
}

void SettingsPanel::showSettings() {
    const TestSettings& s = test_.settings();
    showing_ = true;
    if (title_->text() != s.title) title_->setText(s.title);
    questionsPerTest_->setValue(s.questionsPerTest);
    minutes_->setValue(s.minutes);
    points_->setValue(s.pointsTenths / 10.0);
    allowReturn_->setChecked(s.allowReturn);
    runningScore_->setChecked(s.runningScore);
    showing_ = false;
    showAcceptance();
}

void SettingsPanel::storeSettings() {
    if (showing_) return;
    TestSettings s = test_.settings();
    s.title = title_->text();
    s.questionsPerTest = questionsPerTest_->value();
    s.minutes = minutes_->value();
    s.pointsTenths = static_cast<int>(std::lround(points_->value() * 10.0));
    s.allowReturn = allowReturn_->isChecked();
    s.runningScore = runningScore_->isChecked();
    test_.editSettings(s);
}

void SettingsPanel::showAcceptance() {
    const int perTest = test_.settings().questionsPerTest;
    const int inFile = test_.questionCount();
    const bool accepted = inFile > perTest;
    acceptance_->setText(accepted ? tr("The student program will accept this test: %1 questions in the file, "
                                       "%2 per test.").arg(inFile).arg(perTest)
                                  : tr("The student program will not accept this test: the file needs more "
                                       "questions than a test asks (%1 in the file, %2 per test).")
                                        .arg(inFile)
                                        .arg(perTest));
    acceptance_->setStyleSheet(accepted ? "color: darkgreen" : "color: darkred");
}
