// SPDX-License-Identifier: GPL-3.0-or-later
#include "games/table/TableGame.h"

#include "games/framework/AnswerBox.h"
#include "games/framework/GameText.h"
#include "platform/core/Twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace games::table {

namespace {
using platform::twipsToPx;

// The table's top-left corner (twips on the original form) goes near the play area's.
constexpr int kLeftTwips = 150;
constexpr int kTopTwips = 1425;
constexpr int kInsetPx = 8;
int leftPx(int twips) { return twipsToPx(twips - kLeftTwips) + kInsetPx; }
int topPx(int twips) { return twipsToPx(twips - kTopTwips) + kInsetPx; }
int rowTop(int r) { return 1800 + 375 * (r - 1); }
int columnLeft(int c) { return 750 * c; }
// Under the table, a line that says how to answer.
const int kTableBottomPx = topPx(rowTop(kSize) + 360);
constexpr int kRuleRowPx = 26;

const QColor kRowDigits(0x80, 0, 0);     // &H000080&
const QColor kColumnDigits(0, 0, 0x80);  // &H800000&
const QColor kRight(0, 128, 0);          // QBColor(2)
const QColor kWrong(255, 0, 0);          // QBColor(12)
const QColor kPlain(0, 0, 0);            // QBColor(0)

QColor cornerColour(Operation op) {
  switch (op) {
    case Operation::Plus: return {255, 224, 192};   // &HC0E0FF&
    case Operation::Minus: return {255, 255, 192};  // &HC0FFFF&
    case Operation::Times: return {192, 255, 192};  // &HC0FFC0&
    case Operation::Divide: return {192, 255, 255};  // &HFFFFC0&
  }
  return {};
}

void setColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
  QPalette pal = widget->palette();
  pal.setColor(role, colour);
  widget->setPalette(pal);
}

QLabel* digitLabel(QWidget* parent, const QString& name, const QRect& at, const QColor& colour) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setGeometry(at);
  label->setAlignment(Qt::AlignCenter);
  label->setFrameShape(QFrame::Panel);
  label->setFrameShadow(QFrame::Sunken);
  QFont font = label->font();
  font.setPixelSize(16);
  font.setBold(true);
  label->setFont(font);
  setColour(label, QPalette::WindowText, colour);
  return label;
}

}  // namespace

GameProfile TableGame::profile() {
  GameProfile p;
  p.windowName = QStringLiteral("frmG3");
  p.caption = QStringLiteral("表計算ドリル");
  p.itemName = QStringLiteral("表計算");
  // The table ends the play when it is complete, in either mode; the clock of a seconds
  // play shows only its bar.
  p.rules = {.speedBy = PlayEngine::SpeedBy::Keystrokes, .endsOnAnswerCount = false, .showsRemainingSeconds = false};
  p.playIntervalMs = 100;
  p.choices.kaisuFrom = 1;
  p.choices.kaisuTo = kSize;
  p.choices.jikanStep = 10;
  p.choices.extras = {operationSigns(), {QStringLiteral("0"), QStringLiteral("1")}};
  p.hintCaption = QStringLiteral("出題ナビ機能の利用");
  p.hintTip = QStringLiteral("答えるマスの左と上の数字を、表の左上の角に表示します");
  p.kaisuTip = QStringLiteral("表の大きさです。10 なら縦10×横10の100マスに答えます（どちらのモードでも）");
  p.settingsLayout = {SettingField::Kaisu, SettingField::Jikan,    SettingField::ExtraText,  SettingField::Mode,
                      SettingField::AutoSave, SettingField::Hint, SettingField::ExtraNumber};
  p.defaults.kaisu = kSize;
  p.defaults.jikan = 120;
  p.defaults.extras = {signOf(Operation::Plus), QStringLiteral("0")};
  p.history = {
      {HistoryField::Date, QStringLiteral("日付"), 1400},      {HistoryField::Time, QStringLiteral("時間"), 1000},
      {HistoryField::Answers, QStringLiteral("答数"), 600},    {HistoryField::Ok, QStringLiteral("ＯＫ"), 550},
      {HistoryField::Ng, QStringLiteral("ＮＧ"), 550},         {HistoryField::Keystrokes, QStringLiteral("字数"), 600},
      {HistoryField::Accuracy, QStringLiteral("正解率"), 830}, {HistoryField::Speed, QStringLiteral("秒当たり"), 980},
      {HistoryField::Seconds, QStringLiteral("秒数"), 910},    {HistoryField::Operation, QStringLiteral("Ｍ"), 400},
  };
  p.graphButtons = {
      {QStringLiteral("cmdByou"), QStringLiteral("秒当たり"), {HistoryField::Speed}},
      {QStringLiteral("cmdRitu"), QStringLiteral("正解率"), {HistoryField::Accuracy}},
      {QStringLiteral("cmdKaitou"), QStringLiteral("答数"), {HistoryField::Ok, HistoryField::Ng}},
      {QStringLiteral("cmdPByou"), QStringLiteral("秒数"), {HistoryField::Seconds}},
      {QStringLiteral("cmdMoji"), QStringLiteral("字数"), {HistoryField::Keystrokes}},
      {QStringLiteral("cmdJisyo"), QStringLiteral("予備"), {}},
  };
  p.operationFilterName = QStringLiteral("cboKeisan2");
  p.operations = operationSigns();
  p.operationFilterCaption = QStringLiteral("モード");
  // The 10 x 10 table with a small margin on each side.
  p.playAreaSize = QSize(leftPx(columnLeft(kSize) + 690) + kInsetPx, kTableBottomPx + kInsetPx + kRuleRowPx);
  p.endTooltip = QStringLiteral("プログラムを終了します");
  p.historyRisesForGraphs = true;
  return p;
}

TableGame::TableGame(QWidget* parent) : GameWindow(profile(), parent) {
  const int cellWidth = twipsToPx(690);
  const int cellHeight = twipsToPx(360);
  m_lblV[0] = digitLabel(playArea(), QStringLiteral("lblV(0)"), QRect(leftPx(150), topPx(1425), twipsToPx(540), cellHeight),
                         kPlain);
  m_lblV[0]->setAutoFillBackground(true);
  for (int i = 1; i <= kSize; ++i) {
    m_lblV[size_t(i)] = digitLabel(playArea(), QStringLiteral("lblV(%1)").arg(i),
                                   QRect(leftPx(150), topPx(rowTop(i)), twipsToPx(540), cellHeight), kRowDigits);
    m_lblH[size_t(i - 1)] = digitLabel(playArea(), QStringLiteral("lblH(%1)").arg(i),
                                       QRect(leftPx(columnLeft(i)), topPx(1425), cellWidth, cellHeight), kColumnDigits);
  }
  for (int k = 1; k <= kCells; ++k) {
    auto* cell = new AnswerBox(playArea());
    cell->setObjectName(QStringLiteral("txtKai(%1)").arg(k));
    cell->setGeometry(leftPx(columnLeft(cellColumn(k))), topPx(rowTop(cellRow(k))), cellWidth, cellHeight);
    cell->setAlignment(Qt::AlignCenter);
    QFont font = cell->font();
    font.setPixelSize(16);
    cell->setFont(font);
    cell->installEventFilter(this);
    connect(cell, &QLineEdit::textChanged, this, [this, k] { txtKai_Change(k); });
    m_txtKai[size_t(k - 1)] = cell;
  }

  m_lblRule = addRuleLine(QRect(kInsetPx, kTableBottomPx + 4, playArea()->width() - 2 * kInsetPx, kRuleRowPx));

  auto* modeCaption = new QLabel(QStringLiteral("モード"), settingsExtra());
  modeCaption->setGeometry(0, 0, 60, 26);
  m_cboKeisan = new QComboBox(settingsExtra());
  m_cboKeisan->setObjectName(QStringLiteral("cboKeisan"));
  m_cboKeisan->setGeometry(62, 0, 72, 26);
  m_cboKeisan->addItems(operationSigns());
  m_cboKeisan->setAccessibleName(QStringLiteral("モード"));
  describe(m_cboKeisan, QStringLiteral("表の計算の種類です。答え方は表の下に表示します"));
  connect(m_cboKeisan, &QComboBox::activated, this, &TableGame::cboKeisan_Click);
  m_chkRial = new QCheckBox(QStringLiteral("リアルタイムに良否を表示"), settingsExtra());
  m_chkRial->setObjectName(QStringLiteral("chkRial"));
  m_chkRial->setGeometry(0, 28, 270, 26);
  describe(m_chkRial, QStringLiteral("答えるたびに正しいか（緑）誤りか（赤）を表示します。外すと最後にまとめて表示します"));
  connect(m_chkRial, &QCheckBox::toggled, this, &TableGame::chkRial_Click);
}

void TableGame::applyGameSettings() {
  m_operation = operationOf(settings().extras.value(0)).value_or(Operation::Plus);
  m_playOperation = m_operation;
  m_intRial = settings().extras.value(1) == QStringLiteral("1") ? 1 : 0;
  settings().extras = {signOf(m_operation), QString::number(m_intRial)};
  settings().kaisu = qMin(settings().kaisu, largestSize(m_operation));
  m_intKaisu = settings().kaisu;
  m_cboKeisan->setCurrentText(signOf(m_operation));
  {
    const QSignalBlocker quiet(m_chkRial);
    m_chkRial->setChecked(m_intRial == 1);
  }
  setFiguresLive(m_intRial == 1);
}

void TableGame::showFirstBoard() {
  showSign();
  m_intKaisu = answersPerPlay();
  showTable();
  setCellsEditable(false);
  DRAW_DIGITS();
  CALC_ANSWERS();
  SHOW_ANSWERS();
}

// cboKaisu_Click: N x N cells with N row and column digits.
void TableGame::onAnswersPerPlayChanged() {
  const int limit = sizeLimit();
  if (answersPerPlay() > limit) {
    setAnswersPerPlay(limit);
    return;
  }
  m_intKaisu = answersPerPlay();
  showTable();
}

// "÷" has no tenth row or column, nor has a running play drawn for it.
int TableGame::sizeLimit() const {
  const bool divide =
      m_operation == Operation::Divide || (engine().blnPlay() && m_playOperation == Operation::Divide);
  return divide ? largestSize(Operation::Divide) : kSize;
}

void TableGame::showTable() {
  for (int i = 1; i <= kSize; ++i) {
    m_lblV[size_t(i)]->setVisible(i <= m_intKaisu);
    m_lblH[size_t(i - 1)]->setVisible(i <= m_intKaisu);
  }
  for (int k = 1; k <= kCells; ++k) {
    m_txtKai[size_t(k - 1)]->setVisible(cellRow(k) <= m_intKaisu && cellColumn(k) <= m_intKaisu);
  }
}

// The answers of a running play stay those of the operation it started with.
void TableGame::cboKeisan_Click() {
  m_operation = operationOf(m_cboKeisan->currentText()).value_or(Operation::Plus);
  settings().extras = {signOf(m_operation), QString::number(m_intRial)};
  SAVE_SETTEI();
  showSign();
  if (m_intKaisu > sizeLimit()) setAnswersPerPlay(sizeLimit());
}

void TableGame::chkRial_Click() {
  m_intRial = m_chkRial->isChecked() ? 1 : 0;
  setFiguresLive(m_intRial == 1);
  settings().extras = {signOf(m_operation), QString::number(m_intRial)};
  SAVE_SETTEI();
}

void TableGame::showSign() {
  m_lblRule->setText(ruleLine(m_operation));
  m_lblV[0]->setText(signOf(m_operation));
  setColour(m_lblV[0], QPalette::Window, cornerColour(m_operation));
}

void TableGame::onHintChanged(bool on) {
  if (on && engine().blnPlay() && m_focused > 0) {
    txtKai_GotFocus(m_focused);
  } else {
    showSign();
  }
}

void TableGame::txtKai_GotFocus(int k) {
  m_focused = k;
  if (hintOn() && engine().blnPlay()) m_lblV[0]->setText(hintText(m_digits, k));
}

bool TableGame::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusIn) {
    const auto at = std::find(m_txtKai.begin(), m_txtKai.end(), watched);
    if (at != m_txtKai.end()) txtKai_GotFocus(int(at - m_txtKai.begin()) + 1);
  }
  return GameWindow::eventFilter(watched, event);
}

void TableGame::focusCell(int k) {
  m_txtKai[size_t(k - 1)]->setFocus();
  txtKai_GotFocus(k);  // also when the window is not the active one
}

void TableGame::DRAW_DIGITS() {
  m_digits = table::DRAW_DIGITS(m_operation);
  m_playOperation = m_operation;
  showDigits();
}

void TableGame::showDigits() {
  for (int i = 1; i <= kSize; ++i) {
    m_lblV[size_t(i)]->setText(digitText(m_digits.row(i)));
    m_lblH[size_t(i - 1)]->setText(digitText(m_digits.column(i)));
  }
  // Each cell names its question, which a screen reader cannot see at the table's edges.
  const QString sign = signOf(m_playOperation);
  for (int k = 1; k <= kCells; ++k) {
    m_txtKai[size_t(k - 1)]->setAccessibleName(digitText(m_digits.row(cellRow(k))) + sign +
                                               digitText(m_digits.column(cellColumn(k))));
  }
}

void TableGame::CALC_ANSWERS() { m_answers = table::CALC_ANSWERS(m_playOperation, m_digits); }

void TableGame::SHOW_ANSWERS() {
  const std::array<QString, kCells> texts = table::SHOW_ANSWERS(m_playOperation, m_digits);
  m_filling = true;
  for (int k = 1; k <= kCells; ++k) m_txtKai[size_t(k - 1)]->setText(texts[size_t(k - 1)]);
  m_filling = false;
}

void TableGame::CLEAR_TABLE() {
  for (int i = 1; i <= kSize; ++i) {
    m_lblV[size_t(i)]->clear();
    m_lblH[size_t(i - 1)]->clear();
  }
  CLEAR_CELLS();
}

void TableGame::CLEAR_CELLS() {
  m_filling = true;
  for (QLineEdit* cell : m_txtKai) {
    cell->clear();
    setColour(cell, QPalette::Text, kPlain);
  }
  m_filling = false;
}

void TableGame::setCellsEditable(bool editable) {
  // One answer can need no more characters than the longest answer of the operation, so a
  // paste cannot make a cell worth thousands of keystrokes.
  const int longest = longestAnswer(m_playOperation);
  for (QLineEdit* cell : m_txtKai) {
    cell->setReadOnly(!editable);
    cell->setMaxLength(longest);
  }
}

// The table has no digits until the countdown is over, so it takes no typing meanwhile.
void TableGame::onFiguresReset() {
  CLEAR_TABLE();
  setCellsEditable(false);
  clearButton()->setEnabled(false);
  m_focused = 0;
  showSign();
}

void TableGame::onPlayBegins() {
  DRAW_DIGITS();
  CALC_ANSWERS();
  CLEAR_CELLS();
  setCellsEditable(true);
  focusCell(1);
}

void TableGame::txtKai_Change(int k) {
  if (m_filling || !typedAnswerCounts(m_txtKai[size_t(k - 1)], TypedOutside::Kept)) return;
  const CellJudgement judgement = judgeCell(m_txtKai[size_t(k - 1)]->text(), m_answers[size_t(k - 1)]);
  if (!judgement.complete) return;

  recordAnswer(judgement.right, judgement.keystrokes);
  if (m_intRial == 1) {
    setColour(m_txtKai[size_t(k - 1)], QPalette::Text, judgement.right ? kRight : kWrong);
    showAccuracy(percentText(double(engine().intOk()) / engine().answersGiven()));
  }
  for (int next = k + 1; next <= kCells; ++next) {
    if (!m_txtKai[size_t(next - 1)]->isHidden()) {
      focusCell(next);
      return;
    }
  }
  // The table is complete.
  JUDGE_TABLE();
  showSign();
  playEngine().finishPlay();
}

CellTexts TableGame::cellTexts() const {
  CellTexts texts;
  for (int k = 1; k <= kCells; ++k) texts[size_t(k - 1)] = m_txtKai[size_t(k - 1)]->text();
  return texts;
}

void TableGame::JUDGE_TABLE() { showJudgement(table::JUDGE_TABLE(cellTexts(), m_answers, m_intKaisu)); }

void TableGame::JUDGE_TYPED() { showJudgement(table::JUDGE_TYPED(cellTexts(), m_answers, m_intKaisu)); }

void TableGame::showJudgement(const TableJudgement& judgement) {
  for (int k = 1; k <= kCells; ++k) {
    const Verdict verdict = judgement.verdicts[size_t(k - 1)];
    if (verdict != Verdict::None) setColour(m_txtKai[size_t(k - 1)], QPalette::Text, verdict == Verdict::Right ? kRight : kWrong);
  }
  playEngine().setCounts(judgement.ok, judgement.ng);
}

void TableGame::onTimeUp() {
  JUDGE_TYPED();
  showSign();
}

void TableGame::onPlayEnded() {
  setCellsEditable(false);
  m_focused = 0;
  clearButton()->setEnabled(true);
}

QString TableGame::detailText(const QString&, const PlayOutcome& play) const {
  return table::detailText(play.seconds, play.keystrokes, play.operation);
}

}  // namespace games::table
