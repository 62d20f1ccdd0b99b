// SPDX-License-Identifier: GPL-3.0-or-later
#include "games/speed/SpeedGame.h"

#include "games/framework/AnswerBox.h"
#include "games/framework/PlaySaving.h"
#include "platform/widgets/DataGrid.h"

#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace games::speed {

namespace {
const QColor kNavy(0, 0, 128);
const QColor kWhite(255, 255, 255);  // QBColor(15)
constexpr int kAfterAnswerMs = 1000;
constexpr int kAfterGoMs = 1000;
constexpr int kBetweenNumbersMs = 10;

QLabel* settingCaption(QWidget* parent, const QString& text, int x, int y) {
  auto* label = new QLabel(text, parent);
  label->setGeometry(x, y, 50, 26);
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return label;
}

QComboBox* settingList(QWidget* parent, const QString& name, const QStringList& items, int x, int y) {
  auto* box = new QComboBox(parent);
  box->setObjectName(name);
  box->setGeometry(x, y, 70, 26);
  box->addItems(items);
  return box;
}
}  // namespace

GameProfile SpeedGame::profile() {
  GameProfile p;
  p.windowName = QStringLiteral("frmG4");
  p.caption = QStringLiteral("スピード計算ドリル");
  p.itemName = QStringLiteral("スピード計算");
  // The first question runs before the play clock starts.
  p.rules = {.speedBy = PlayEngine::SpeedBy::Keystrokes, .showsRemainingSeconds = false, .gameBeginsPlay = true};
  p.playIntervalMs = 100;
  p.choices.kaisuTo = 30;
  p.choices.extras = {operationSigns(), countItems(), displayItems(), digitItems()};
  p.settingsLayout = {SettingField::Kaisu,    SettingField::Jikan,       SettingField::ExtraText, SettingField::Mode,
                      SettingField::AutoSave, SettingField::ExtraNumber, SettingField::ExtraText, SettingField::ExtraNumber};
  p.defaults.kaisu = 10;
  p.defaults.jikan = 60;
  p.defaults.extras = {signOf(Operation::Plus), QStringLiteral("5"), QStringLiteral("1.0"), QStringLiteral("1")};
  p.history = operationHistory();
  p.graphButtons = fourGraphButtons();
  p.operationFilterName = QStringLiteral("cboKeisan2");
  p.operations = operationSigns();
  p.operationFilterCaption = QStringLiteral("モード");
  p.playAreaSize = QSize(510, 290);
  p.historyRisesForGraphs = true;
  return p;
}

SpeedGame::SpeedGame(QWidget* parent) : GameWindow(profile(), parent) {
  m_lblKanjiK = new QLabel(playArea());
  m_lblKanjiK->setObjectName(QStringLiteral("lblKanjiK"));
  m_lblKanjiK->setGeometry(10, 10, 330, 206);
  m_lblKanjiK->setAlignment(Qt::AlignCenter);
  m_lblKanjiK->setAutoFillBackground(true);
  QPalette pal = m_lblKanjiK->palette();
  pal.setColor(QPalette::Window, kNavy);
  pal.setColor(QPalette::WindowText, kWhite);
  m_lblKanjiK->setPalette(pal);
  QFont big = m_lblKanjiK->font();
  big.setPixelSize(110);
  big.setBold(true);
  m_lblKanjiK->setFont(big);

  // The headline sits on the navy board's top strip, clear of the numbers below it.
  m_lblMidashi = new QLabel(playArea());
  m_lblMidashi->setObjectName(QStringLiteral("lblMidashi"));
  m_lblMidashi->setGeometry(16, 14, 318, 40);
  m_lblMidashi->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  QPalette headline = m_lblMidashi->palette();
  headline.setColor(QPalette::WindowText, kWhite);
  m_lblMidashi->setPalette(headline);
  QFont headlineFont = m_lblMidashi->font();
  headlineFont.setPixelSize(28);
  headlineFont.setBold(true);
  m_lblMidashi->setFont(headlineFont);
  m_lblMidashi->hide();

  auto* answerCaption = new QLabel(QStringLiteral("答え"), playArea());
  answerCaption->setGeometry(10, 234, 50, 40);
  m_txtKaitou = new AnswerBox(playArea());
  answerCaption->setBuddy(m_txtKaitou);  // names the box for a screen reader
  m_txtKaitou->setObjectName(QStringLiteral("txtKaitou"));
  m_txtKaitou->setGeometry(62, 228, 150, 48);
  m_txtKaitou->setAlignment(Qt::AlignRight);
  QFont answerFont = m_txtKaitou->font();
  answerFont.setPixelSize(30);
  m_txtKaitou->setFont(answerFont);
  connect(m_txtKaitou, &QLineEdit::textChanged, this, &SpeedGame::txtKaitou_Change);

  const QRect historyRect(352, 10, 148, 266);
  m_msgKeiRireki = new platform::DataGrid(playArea());
  m_msgKeiRireki->setObjectName(QStringLiteral("msgKeiRireki"));
  m_msgKeiRireki->setGeometry(historyRect);
  m_msgKeiRireki->setToolTip(QStringLiteral("ダブルクリックで隠れる"));
  m_msgKeiRireki->viewport()->installEventFilter(this);
  m_cmdRireki = new QPushButton(QStringLiteral("出題履歴を見る"), playArea());
  m_cmdRireki->setObjectName(QStringLiteral("cmdRireki"));
  m_cmdRireki->setGeometry(historyRect);
  m_cmdRireki->setFocusPolicy(Qt::TabFocus);  // a click to uncover leaves the answer box its focus
  m_cmdRireki->raise();
  connect(m_cmdRireki, &QPushButton::clicked, this, &SpeedGame::cmdRireki_Click);
  coverQuestionHistory(true);

  settingCaption(settingsExtra(), QStringLiteral("モード"), 0, 0);
  m_cboKeisan = settingList(settingsExtra(), QStringLiteral("cboKeisan"), operationSigns(), 54, 0);
  settingCaption(settingsExtra(), QStringLiteral("出題数"), 130, 0)->setObjectName(QStringLiteral("lblLoop"));
  m_cboCount = settingList(settingsExtra(), QStringLiteral("cboCount"), countItems(), 184, 0);
  settingCaption(settingsExtra(), QStringLiteral("表示秒"), 0, 30);
  m_cboHyouji = settingList(settingsExtra(), QStringLiteral("cboHyouji"), displayItems(), 54, 30);
  settingCaption(settingsExtra(), QStringLiteral("出題桁"), 130, 30);
  m_cboKeta = settingList(settingsExtra(), QStringLiteral("cboKeta"), digitItems(), 184, 30);
  const std::pair<QComboBox*, std::pair<const char*, const char*>> described[] = {
      {m_cboKeisan, {"モード", "＋は数を足していき、－は100から引いていき、×は掛けていきます"}},
      {m_cboCount, {"出題数", "1問で表示する数の個数です"}},
      {m_cboHyouji, {"表示秒", "一つの数を表示する秒数です"}},
      {m_cboKeta, {"出題桁", "表示する数の桁数です"}},
  };
  for (const auto& [box, texts] : described) {
    box->setAccessibleName(QString::fromUtf8(texts.first));
    describe(box, QString::fromUtf8(texts.second));
  }
  connect(m_cboKeisan, &QComboBox::activated, this, &SpeedGame::cboKeisan_Click);
  connect(m_cboCount, &QComboBox::activated, this, &SpeedGame::cboCount_Click);
  connect(m_cboHyouji, &QComboBox::activated, this, &SpeedGame::cboHyouji_Click);
  connect(m_cboKeta, &QComboBox::activated, this, &SpeedGame::cboKeta_Click);
}

// A file edited by hand into "×" with two digits or more than five numbers is brought
// within the limits here, and the load writes it back.
void SpeedGame::applyGameSettings() {
  const QStringList& extras = settings().extras;
  m_settings.operation = operationOf(extras.value(0)).value_or(Operation::Plus);
  m_settings.count = qBound(1, extras.value(1).toInt(), 10);
  m_settings.digits = qBound(1, extras.value(3).toInt(), 2);
  m_settings = constrained(m_settings);
  m_strHyouji = displayItems().contains(extras.value(2)) ? extras.value(2) : QStringLiteral("1.0");
  showSettings();
  saveExtras();
}

void SpeedGame::showSettings() {
  m_cboKeisan->setCurrentText(signOf(m_settings.operation));
  m_cboCount->setCurrentText(QString::number(m_settings.count));
  m_cboHyouji->setCurrentText(m_strHyouji);
  m_cboKeta->setCurrentText(QString::number(m_settings.digits));
}

void SpeedGame::saveExtras() {
  settings().extras = {signOf(m_settings.operation), QString::number(m_settings.count), m_strHyouji,
                       QString::number(m_settings.digits)};
  SAVE_SETTEI();
}

// "×" brings the digits and the count within its limits.
void SpeedGame::cboKeisan_Click() {
  m_settings.operation = operationOf(m_cboKeisan->currentText()).value_or(Operation::Plus);
  m_settings = constrained(m_settings);
  showSettings();
  saveExtras();
}

void SpeedGame::cboKeta_Click() {
  m_settings.digits = m_cboKeta->currentText().toInt();
  m_settings = constrained(m_settings);
  showSettings();
  saveExtras();
}

void SpeedGame::cboCount_Click() {
  m_settings.count = m_cboCount->currentText().toInt();
  m_settings = constrained(m_settings);
  showSettings();
  saveExtras();
}

void SpeedGame::cboHyouji_Click() {
  m_strHyouji = m_cboHyouji->currentText();
  saveExtras();
}

void SpeedGame::cmdRireki_Click() { coverQuestionHistory(false); }

void SpeedGame::msgKeiRireki_DblClick() { coverQuestionHistory(true); }

// A covered history holds no rows: it would tell a screen reader the total asked for.
void SpeedGame::coverQuestionHistory(bool covered) {
  m_cmdRireki->setVisible(covered);
  m_msgKeiRireki->setVisible(!covered);
  DISP_KEIRIREKI_HEAD();
  if (covered) return;
  for (const std::array<int, 3>& asked : m_asked) showQuestionRow(asked);
}

bool SpeedGame::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_msgKeiRireki->viewport() && event->type() == QEvent::MouseButtonDblClick) msgKeiRireki_DblClick();
  return GameWindow::eventFilter(watched, event);
}

void SpeedGame::DISP_KEIRIREKI_HEAD() {
  m_msgKeiRireki->clear();
  m_msgKeiRireki->setFontSize(11);
  m_msgKeiRireki->setColumns({{"回", 520, platform::Align::Right},
                              {"問", 520, platform::Align::Right},
                              {"答", 700, platform::Align::Right}});
}

void SpeedGame::addQuestionRow(int step, int number, int total) {
  m_asked.push_back({step, number, total});
  if (m_msgKeiRireki->isVisibleTo(this)) showQuestionRow(m_asked.back());
}

void SpeedGame::showQuestionRow(const std::array<int, 3>& asked) {
  const int row = m_msgKeiRireki->rows();
  m_msgKeiRireki->setRows(row + 1);
  for (int col = 0; col < 3; ++col) m_msgKeiRireki->setTextMatrix(row, col, QString::number(asked[size_t(col)]));
  m_msgKeiRireki->setTopRow(row);
}

void SpeedGame::showFirstBoard() {
  m_lblKanjiK->clear();
  m_lblMidashi->hide();
}

// Keys typed while numbers flash or during a pause must not reach the answer box.
void SpeedGame::keepAnswerBoxAway() {
  historyGrid()->setFocus();
  m_txtKaitou->setEnabled(false);
}

void SpeedGame::onFiguresReset() {
  m_flashing = false;
  m_asked.clear();
  coverQuestionHistory(true);
  m_lblMidashi->setText(QStringLiteral("Ready"));
  m_lblMidashi->show();
  m_lblKanjiK->clear();
  m_intGoukei = 0;
  DISP_KEIRIREKI_HEAD();
  keepAnswerBoxAway();
}

// "GO!", a second's pause, then the first question; the play clock starts once it is asked.
void SpeedGame::onCountdownEnded() {
  m_lblMidashi->setText(QStringLiteral("GO!"));
  after(kAfterGoMs, [this] {
    if (!playEngine().blnStart()) return;
    m_lblMidashi->hide();
    MAKE_MONDAI();
  });
}

void SpeedGame::onPlayBegins() { m_txtKaitou->setFocus(); }

void SpeedGame::MAKE_MONDAI() {
  QPalette pal = m_lblKanjiK->palette();
  pal.setColor(QPalette::WindowText, kWhite);
  m_lblKanjiK->setPalette(pal);
  m_question = m_settings;
  m_intGoukei = startTotal(m_question.operation);
  keepAnswerBoxAway();
  m_lblKanjiK->clear();
  m_step = 0;
  m_shown.reset();
  m_flashing = true;
  showNextNumber();
}

// One number of the question, then a wait while it shows; once the play is over the rest
// pass without waiting.
void SpeedGame::showNextNumber() {
  while (m_step < m_question.count) {
    const int n = drawNumber(m_question.operation, upperBound(m_question), m_shown);
    m_intGoukei = applyNumber(m_question.operation, m_intGoukei, n);
    m_shown = n;
    ++m_step;
    m_lblKanjiK->setText(QString::number(n));
    addQuestionRow(m_step, n, m_intGoukei);
    if (!playLive()) continue;
    after(displayMs(m_strHyouji) + kBetweenNumbersMs, [this] { showNextNumber(); });
    return;
  }
  askForTheTotal();
}

void SpeedGame::askForTheTotal() {
  m_flashing = false;
  m_lblKanjiK->setText(QStringLiteral("？"));
  clearAnswers();
  m_txtKaitou->setMaxLength(answerLength(m_intGoukei));  // a paste is cut to the total's length
  m_txtKaitou->setEnabled(true);
  if (!playLive()) return;  // the play is over: nothing more is asked
  m_txtKaitou->setFocus();
  playEngine().beginHeldPlay();  // the first question: the play clock starts now
}

void SpeedGame::txtKaitou_Change() {
  if (!typedAnswerCounts(m_txtKaitou)) return;
  if (m_flashing) {
    clearAnswers();
    return;
  }
  const Judgement judgement = judge(m_txtKaitou->text(), m_intGoukei);
  if (!judgement.complete) return;

  recordAnswer(judgement.right, judgement.keystrokes);
  clearAnswers();
  if (!playEngine().blnPlay()) return;  // that answer ended the play
  m_lblKanjiK->clear();
  keepAnswerBoxAway();
  after(kAfterAnswerMs, [this] {
    if (playEngine().blnPlay()) MAKE_MONDAI();
  });
}

// A play over in the middle of a question lets its remaining numbers pass at once and
// leaves the question mark; nothing typed afterwards is judged.
void SpeedGame::onPlayEnded() {
  m_lblKanjiK->clear();
  m_lblMidashi->setText(QStringLiteral("END"));
  m_lblMidashi->show();
  m_txtKaitou->setEnabled(true);
  finishWaits();
}

QString SpeedGame::detailText(const QString& settingText, const PlayOutcome& play) const {
  return modeDetail(settings().mode, settingText, play.operation);
}

}  // namespace games::speed
