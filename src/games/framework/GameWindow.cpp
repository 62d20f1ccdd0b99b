#include "games/framework/GameWindow.h"

#include "games/framework/AnswerBox.h"
#include "games/framework/GamePictures.h"
#include "games/framework/PlaySaving.h"
#include "help/HelpWindow.h"
#include "platform/core/Clock.h"
#include "platform/core/RunState.h"
#include "platform/core/SeqFormat.h"
#include "platform/core/TextFile.h"
#include "platform/widgets/ButtonKeys.h"
#include "platform/widgets/ColorButton.h"
#include "platform/widgets/HelpTour.h"
#include "platform/widgets/MessageBox.h"
#include "platform/widgets/Shape.h"
#include "records/PlayRecord.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

namespace games {

namespace {
constexpr int kMargin = 10;
constexpr int kSideWidth = 460;
// Fits a 1366 x 768 screen with a panel and a title bar.
constexpr int kWindowHeight = 676;

std::function<void()>& returnToMain() {
  static std::function<void()> show;
  return show;
}

QString& setumei() {
  static QString text;
  return text;
}

const bool registered = platform::onResetRunState([] {
  returnToMain() = {};
  setumei().clear();
});

constexpr char kFigureCaption[] = "figureCaption";

QLabel* figureLabel(QWidget* parent, const QString& name, const QString& caption, int x, int y, int width) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setProperty(kFigureCaption, caption);
  label->setAccessibleName(caption);
  label->setGeometry(x, y, width, 30);
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  label->setFrameShape(QFrame::Panel);
  label->setFrameShadow(QFrame::Sunken);
  label->setStyleSheet(QStringLiteral("QLabel { background: white; font-size: 13pt; padding-right: 4px; }"));
  return label;
}

const QString kUnsavedPlay = QStringLiteral("保存していないプレイがあります。保存せずに続けますか？");
}  // namespace

QLabel* caption(QWidget* parent, const QString& text, int x, int y, int width, QWidget* buddy) {
  auto* label = new QLabel(text, parent);
  label->setGeometry(x, y, width, 30);
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  if (buddy) label->setBuddy(buddy);
  return label;
}

void describe(QWidget* control, const QString& text) {
  control->setToolTip(text);
  control->setAccessibleDescription(text);
}

void GameWindow::setReturnToMain(std::function<void()> show) { returnToMain() = std::move(show); }

const QString& GameWindow::gstrSetumei() { return setumei(); }

GameWindow::GameWindow(GameProfile profile, QWidget* parent)
    : QWidget(parent), m_profile(std::move(profile)), m_engine(m_profile.rules) {
  setObjectName(m_profile.windowName);
  setWindowTitle(m_profile.caption);
  // The play area sets the layout: settings and clock beside it, figures and history below.
  m_sideX = kMargin + m_profile.playAreaSize.width() + kMargin;
  m_figuresY = kMargin + m_profile.playAreaSize.height() + 12;
  setFixedSize(m_sideX + kSideWidth + kMargin, kWindowHeight);
  setWindowFlag(Qt::WindowMaximizeButtonHint, false);
  setAttribute(Qt::WA_DeleteOnClose);
  help::installHelpKey(this, [this] { return objectName(); });

  m_playArea = new QFrame(this);
  m_playArea->setObjectName(m_profile.windowName + QStringLiteral("(0)"));
  m_playArea->setGeometry(QRect(QPoint(kMargin, kMargin), m_profile.playAreaSize));
  m_playArea->setFrameShape(QFrame::StyledPanel);
  m_playArea->setAutoFillBackground(true);
  setPlayAreaColour(platform::ColorButton::buttonFace());

  buildSettingsFrame();
  buildPlayPanel();
  // The history lies below the figures, beside the window's edges.
  const int historyTop = m_figuresY + 44;
  const QRect historyArea(kMargin, historyTop, width() - 2 * kMargin, kWindowHeight - kMargin - historyTop);
  m_history = new HistoryPanel(m_profile, historyArea, kMargin, this);
  connectEngine();

  m_tmrStart.setInterval(1000);
  m_tmrBp.setInterval(1000);
  m_tmrPlay.setInterval(m_profile.playIntervalMs);
  connect(&m_tmrStart, &QTimer::timeout, this, &GameWindow::tmrStart_Timer);
  connect(&m_tmrBp, &QTimer::timeout, this, &GameWindow::tmrBp_Timer);
  connect(&m_tmrPlay, &QTimer::timeout, this, &GameWindow::tmrPlay_Timer);
}

GameWindow::~GameWindow() = default;

void GameWindow::buildSettingsFrame() {
  auto* frame = new QGroupBox(QStringLiteral("ゲーム設定"), this);
  frame->setGeometry(m_sideX, 6, kSideWidth, 156);

  m_optMode[0] = new QRadioButton(QStringLiteral("答数"), frame);
  m_optMode[1] = new QRadioButton(QStringLiteral("秒数"), frame);
  m_cboKaisu = new QComboBox(frame);
  m_cboJikan = new QComboBox(frame);
  m_cboKaisu->setObjectName(QStringLiteral("cboKaisu"));
  m_cboJikan->setObjectName(QStringLiteral("cboJikan"));
  for (int i = 0; i < 2; ++i) {
    m_optMode[i]->setObjectName(QStringLiteral("optMode(%1)").arg(i));
    m_optMode[i]->setGeometry(14, 26 + i * 34, 70, 28);
    // On the state change, so that an accessibility action or a key does what a click does.
    connect(m_optMode[i], &QRadioButton::toggled, this, [this, i](bool on) {
      if (on) optMode_Click(i);
    });
  }
  describe(m_optMode[0], QStringLiteral("決めた数の問題に答え終わるまでの時間を計ります"));
  describe(m_optMode[1], QStringLiteral("決めた秒数の間に、いくつ答えられるかを計ります"));
  describe(m_cboKaisu, m_profile.kaisuTip);
  describe(m_cboJikan, QStringLiteral("「秒数」で遊ぶときの、1回のプレイの秒数です"));
  m_cboKaisu->setGeometry(86, 26, 72, 28);
  m_cboJikan->setGeometry(86, 60, 72, 28);
  connect(m_cboKaisu, &QComboBox::activated, this, &GameWindow::cboKaisu_Click);
  connect(m_cboJikan, &QComboBox::activated, this, [this] {
    m_settings.jikan = m_cboJikan->currentText().toDouble();
    m_engine.setSeconds(m_settings.jikan);
    SAVE_SETTEI();
  });
  caption(frame, QStringLiteral("回"), 156, 26, 24)->setAlignment(Qt::AlignCenter);
  caption(frame, QStringLiteral("秒"), 156, 60, 24)->setAlignment(Qt::AlignCenter);
  m_cboKaisu->setAccessibleName(QStringLiteral("答数"));
  m_cboJikan->setAccessibleName(QStringLiteral("秒数"));

  m_chkAs = new QPushButton(QIcon(autoSavePicture(36)), QString(), frame);
  m_chkAs->setObjectName(QStringLiteral("chkAs"));
  m_chkAs->setToolTip(QStringLiteral("履歴の自動保存を制御します"));
  // Its caption is empty while it is on.
  m_chkAs->setAccessibleName(QStringLiteral("履歴の自動保存"));
  m_chkAs->setAccessibleDescription(
      QStringLiteral("押してあるときはプレイが終わると自動で保存します。外すと手動保存モードになり、「保存」で保存します"));
  m_chkAs->setCheckable(true);
  m_chkAs->setIconSize(QSize(36, 36));
  m_chkAs->setGeometry(196, 22, 160, 62);
  connect(m_chkAs, &QPushButton::toggled, this, [this] { chkAs_Click(); });

  if (!m_profile.hintCaption.isEmpty()) {
    m_chkHint = new QCheckBox(m_profile.hintCaption, frame);
    m_chkHint->setObjectName(QStringLiteral("chkHint"));
    m_chkHint->setGeometry(14, 104, 150, 28);
    if (!m_profile.hintTip.isEmpty()) describe(m_chkHint, m_profile.hintTip);
    connect(m_chkHint, &QCheckBox::toggled, this, [this] { chkHint_Click(); });
  }
  m_settingsExtra = new QWidget(frame);
  m_settingsExtra->setGeometry(180, 94, 270, 56);
}

void GameWindow::buildPlayPanel() {
  for (int i = 0; i < 3; ++i) {
    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("imgStart(%1)").arg(i + 1));
    picture->setPixmap(countdownPicture(i + 1, 92));
    picture->setGeometry(m_sideX, 168, 92, 92);
    picture->hide();
    m_imgStart[size_t(i)] = picture;
  }
  m_lblJikan = new QLabel(this);
  m_lblJikan->setObjectName(QStringLiteral("lblJikan"));
  m_lblJikan->setAccessibleName(QStringLiteral("時間"));
  m_lblJikan->setGeometry(m_sideX + 110, 170, 200, 50);
  m_lblJikan->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  m_lblJikan->setStyleSheet(QStringLiteral("QLabel { font-size: 26pt; font-weight: bold; }"));
  m_lblJikanUnit = caption(this, QStringLiteral("秒"), m_sideX + 312, 184, 30);
  m_lblJikanUnit->setObjectName(QStringLiteral("lblJikanTani"));
  m_lblJikanUnit->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

  m_shpJikanK = new platform::Shape(platform::Shape::Form::Rectangle, this);
  m_shpJikanK->setObjectName(QStringLiteral("shpJikanK"));
  m_shpJikanK->setFillColor(QColor(0x40, 0x90, 0xE0));
  m_shpJikanK->setGeometry(m_sideX + 110, 228, 340, 22);

  auto button = [this](const QString& name, const QString& text, int x, const QString& tip) {
    auto* b = new platform::ColorButton(text, this);  // with a focus frame seen at a glance
    b->setObjectName(name);
    b->setGeometry(x, 264, 106, 40);
    if (!tip.isEmpty()) b->setToolTip(tip);
    return b;
  };
  m_cmdStart = button(QStringLiteral("cmdStart"), QStringLiteral("スタート"), m_sideX, QStringLiteral("ゲームをスタートします"));
  m_cmdHozon = button(QStringLiteral("cmdHozon"), QStringLiteral("保存"), m_sideX + 118, QStringLiteral("データを保存します"));
  m_cmdClear = button(QStringLiteral("cmdClear"), QStringLiteral("クリア"), m_sideX + 236, QStringLiteral("履歴データをクリアします"));
  m_cmdEnd = button(QStringLiteral("cmdEnd"), QStringLiteral("戻り"), m_sideX + 354, m_profile.endTooltip);
  // The tool tip stands as given; what the button does is said to a screen reader.
  m_cmdEnd->setAccessibleDescription(QStringLiteral("メイン画面に戻ります（Alt+M）"));
  m_cmdStart->setAccessibleDescription(QStringLiteral("ゲームをスタートします（Alt+S）"));
  m_cmdHozon->setAccessibleDescription(QStringLiteral("データを保存します（Alt+H）"));
  platform::addAccessKey(this, m_cmdStart, Qt::Key_S);
  platform::addAccessKey(this, m_cmdHozon, Qt::Key_H);
  platform::addAccessKey(this, m_cmdEnd, Qt::Key_M);
  connect(m_cmdStart, &QPushButton::clicked, this, &GameWindow::cmdStart_Click);
  connect(m_cmdHozon, &QPushButton::clicked, this, &GameWindow::cmdHozon_Click);
  connect(m_cmdClear, &QPushButton::clicked, this, &GameWindow::cmdClear_Click);
  connect(m_cmdEnd, &QPushButton::clicked, this, &GameWindow::cmdEnd_Click);

  const int y = m_figuresY;
  const auto figure = [this, y](const QString& name, const QString& text, int x, int captionWidth, int width) {
    caption(this, text, x, y, captionWidth);
    return figureLabel(this, name, text, x + captionWidth + 4, y, width);
  };
  m_lblOk = figure(QStringLiteral("lblOk"), QStringLiteral("正解"), 10, 50, 70);
  m_lblNg = figure(QStringLiteral("lblNg"), QStringLiteral("不正解"), 140, 60, 70);
  m_lblMojiT = figure(QStringLiteral("lblMoji_T"), QStringLiteral("解答数"), 280, 60, 70);
  m_lblRitu = figure(QStringLiteral("lblRitu"), QStringLiteral("正解率"), 430, 60, 100);
  m_lblByou = figure(QStringLiteral("lblByou"), m_profile.speedCaption, 610, 110, 130);
  m_lblHozon = new QLabel(this);
  m_lblHozon->setObjectName(QStringLiteral("lblHozon"));
  m_lblHozon->setGeometry(862, y, 128, 30);
}

void GameWindow::connectEngine() {
  connect(&m_engine, &PlayEngine::figuresReset, this, [this] {
    clearAnswers();
    m_playSaved = false;
    m_lblHozon->clear();
    m_history->setSpokenResult({});
    m_shpJikanK->resize(m_intHaba, m_shpJikanK->height());
    setFigure(m_lblRitu, {});
    setFigure(m_lblByou, {});
    showFigures();
    onFiguresReset();
  });
  connect(&m_engine, &PlayEngine::countdownPicture, this, [this](int number) {
    for (QLabel* picture : m_imgStart) picture->hide();
    if (number >= 1 && number <= 3) m_imgStart[size_t(number - 1)]->show();
  });
  connect(&m_engine, &PlayEngine::countdownEnded, this, [this] { onCountdownEnded(); });
  connect(&m_engine, &PlayEngine::playBegan, this, [this] { onPlayBegins(); });
  connect(&m_engine, &PlayEngine::timeUp, this, [this] { onTimeUp(); });
  connect(&m_engine, &PlayEngine::clockChanged, this, [this] {
    showClock(m_engine.clockText());
    if (m_engine.mode() == PlayEngine::Mode::Seconds && m_engine.blnPlay()) {
      m_shpJikanK->resize(m_engine.barWidth(m_intHaba), m_shpJikanK->height());
    }
  });
  connect(&m_engine, &PlayEngine::playClockRunning, this, [this](bool running) {
    if (running) {
      m_tmrPlay.start();
    } else {
      m_tmrPlay.stop();
    }
  });
  connect(&m_engine, &PlayEngine::figuresChanged, this, [this] {
    if (m_figuresLive || !m_engine.blnPlay()) showFigures();
  });
  connect(&m_engine, &PlayEngine::playEnded, this, [this] {
    m_cmdStart->setEnabled(true);
    for (QLabel* picture : m_imgStart) picture->hide();  // the light goes off with the play
    setFigure(m_lblRitu, m_engine.accuracyText());
    setFigure(m_lblByou, m_engine.speedText());
    onPlayEnded();
    if (m_engine.answersGiven() == 0) {
      showNothingToSave();
    } else if (m_settings.autoSave == 1) {
      cmdHozon_Click();
    }
    // Not the start button: the Enter a player presses out of habit after the last answer
    // must not throw the result away with a new play.
    m_history->setSpokenResult(resultLine());
    m_history->focusNewestHistoryRow();
  });
}

QString GameWindow::resultLine() const {
  return QStringLiteral("正解 %1、不正解 %2、正解率 %3、%4 %5、%6")
      .arg(m_engine.intOk())
      .arg(m_engine.intNg())
      .arg(m_lblRitu->text(), m_profile.speedCaption, m_lblByou->text(),
           m_lblHozon->text().isEmpty() ? QStringLiteral("保存していません") : m_lblHozon->text());
}

void GameWindow::setFigure(QLabel* label, const QString& text) {
  label->setText(text);
  const QString caption = label->property(kFigureCaption).toString();
  label->setAccessibleName(text.isEmpty() ? caption : caption + QLatin1Char(' ') + text);
}

// The clock ticks ten or twenty times a second: its accessible name stays, so that it does
// not flood a screen reader, and its description follows whole seconds.
void GameWindow::showClock(const QString& text) {
  m_lblJikan->setText(text);
  const QString seconds = text.section(QLatin1Char('.'), 0, 0);
  const QString spoken = seconds.isEmpty() ? QString() : seconds + QStringLiteral("秒");
  if (m_lblJikan->accessibleDescription() != spoken) m_lblJikan->setAccessibleDescription(spoken);
  m_lblJikanUnit->setVisible(!text.isEmpty());  // no unit without a number
}

void GameWindow::showFigures() {
  setFigure(m_lblOk, QString::number(m_engine.intOk()));
  setFigure(m_lblNg, QString::number(m_engine.intNg()));
  setFigure(m_lblMojiT, QString::number(m_engine.answersGiven()));
}

void GameWindow::Form_Load() {
  m_loading = true;
  m_history->cmdAllDsp_Click();

  const SettingsRead read =
      readSettings(m_profile.settingsFile(), m_profile.settingsLayout, m_profile.defaults, m_profile.choices);
  m_settings = read.settings;
  if (!read.error.isEmpty()) {
    // Keep the unreadable file until the player changes a setting.
    m_settingsWritable = false;
    platform::showMessage(this, read.error + QStringLiteral("\r\n初期設定で始めます。"), m_profile.caption,
                          platform::MsgIcon::Exclamation);
  }
  // The controls take the settings quietly; the handlers below run once each.
  if (m_chkHint) {
    const QSignalBlocker quiet(m_chkHint);
    m_chkHint->setChecked(m_settings.hint == 1);
  }
  {
    const QSignalBlocker quiet(m_chkAs);
    m_chkAs->setChecked(m_settings.autoSave == 1);
  }
  chkAs_Click();
  applyGameSettings();

  fillLists();
  m_cboJikan->setCurrentText(QString::number(m_settings.jikan));
  m_cboKaisu->setCurrentText(QString::number(m_settings.kaisu));
  m_engine.setSeconds(m_settings.jikan);
  m_engine.setAnswersPerPlay(m_settings.kaisu);
  const int mode = m_optMode[1]->text() == m_settings.mode ? 1 : 0;
  {
    const QSignalBlocker quiet0(m_optMode[0]);
    const QSignalBlocker quiet1(m_optMode[1]);
    m_optMode[size_t(mode)]->setChecked(true);
  }
  optMode_Click(mode);

  showFirstBoard();
  m_intHaba = m_shpJikanK->width();
  clearAnswers();
  for (QLabel* label : {m_lblOk, m_lblNg, m_lblMojiT, m_lblByou, m_lblRitu}) setFigure(label, {});
  showClock({});

  show();
  m_loading = false;
  if (m_settingsWritable) SAVE_SETTEI();
  m_tmrStart.start();
  m_tmrBp.start();
  arrangeTabOrder();
  m_cmdStart->setFocus();

  setumei() = explanation();
  platform::tourState().strTourMsg = setumei();
  // Once the load is over and the main window gone, so that the box stands over this
  // window alone.
  QMetaObject::invokeMethod(
      this,
      [this] {
        if (!m_leaving) platform::SHOW_TOUR_MSG(this);
      },
      Qt::QueuedConnection);
}

// Settings, the start button, the answers, the history with its filters and graphs, then
// saving, clearing and going back.
void GameWindow::arrangeTabOrder() {
  std::vector<QWidget*> chain{m_optMode[0], m_optMode[1], m_cboKaisu, m_cboJikan, m_chkAs};
  if (m_chkHint) chain.push_back(m_chkHint);
  const auto focusable = [](QWidget* parent) {
    std::vector<QWidget*> widgets;
    for (QWidget* w : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if ((w->focusPolicy() & Qt::TabFocus) && !w->isWindow()) widgets.push_back(w);
    }
    return widgets;
  };
  for (QWidget* w : focusable(m_settingsExtra)) chain.push_back(w);
  chain.push_back(m_cmdStart);
  for (QWidget* w : focusable(m_playArea)) chain.push_back(w);
  const std::vector<QWidget*> history = m_history->tabChain();
  chain.insert(chain.end(), history.begin(), history.end());
  chain.insert(chain.end(), {m_cmdHozon, m_cmdClear, m_cmdEnd});
  for (size_t i = 1; i < chain.size(); ++i) setTabOrder(chain[i - 1], chain[i]);
}

void GameWindow::fillLists() {
  m_cboJikan->clear();
  m_cboJikan->addItems(m_profile.choices.jikanItems());
  m_cboKaisu->clear();
  m_cboKaisu->addItems(m_profile.choices.kaisuItems());
  m_history->fillLists();
}

void GameWindow::SAVE_SETTEI() {
  if (m_loading) return;
  m_settingsWritable = true;
  const QString error = writeSettings(m_profile.settingsFile(), m_profile.settingsLayout, m_settings);
  // A folder that cannot be written stays so: told once a run, not at every setting.
  if (!error.isEmpty() && platform::firstTimeThisRun(error))
    platform::showMessage(this, error, m_profile.caption, platform::MsgIcon::Exclamation);
}

void GameWindow::cboKaisu_Click() {
  m_settings.kaisu = answersPerPlay();
  m_engine.setAnswersPerPlay(m_settings.kaisu);
  SAVE_SETTEI();
  onAnswersPerPlayChanged();
}

void GameWindow::setAnswersPerPlay(int count) {
  m_cboKaisu->setCurrentText(QString::number(count));
  cboKaisu_Click();
}

int GameWindow::answersPerPlay() const { return m_cboKaisu->currentText().toInt(); }

bool GameWindow::hintOn() const { return m_chkHint && m_chkHint->isChecked(); }

void GameWindow::optMode_Click(int index) {
  m_cboJikan->setEnabled(index == 1);
  m_cboKaisu->setEnabled(index == 0);
  m_engine.setMode(index == 1 ? PlayEngine::Mode::Seconds : PlayEngine::Mode::Answers);
  m_settings.mode = m_optMode[size_t(index)]->text();
  SAVE_SETTEI();
}

void GameWindow::chkAs_Click() {
  m_settings.autoSave = m_chkAs->isChecked() ? 1 : 0;
  SAVE_SETTEI();
  m_cmdHozon->setEnabled(!m_chkAs->isChecked());
  m_chkAs->setText(m_chkAs->isChecked() ? QString() : QStringLiteral("手動保存モード"));
}

void GameWindow::chkHint_Click() {
  m_settings.hint = hintOn() ? 1 : 0;
  SAVE_SETTEI();
  onHintChanged(hintOn());
}

void GameWindow::cmdStart_Click() {
  if (!m_cmdStart->isEnabled() || m_asking) return;
  if (!unsavedPlayMayGo()) return;
  finishWaits();
  m_history->lowerForPlay();
  m_engine.cmdStart_Click();
  m_cmdStart->setEnabled(false);
}

void GameWindow::clearAnswers() {
  for (AnswerBox* box : m_playArea->findChildren<AnswerBox*>()) {
    const QSignalBlocker quiet(box);
    box->clear();
  }
}

void GameWindow::recordAnswer(bool right, int keystrokes) { m_engine.answer(right, keystrokes); }

bool GameWindow::typedAnswerCounts(QLineEdit* box, TypedOutside outside) {
  if (box->text().isEmpty() || showingWrongAnswer()) return false;
  if (playEngine().blnPlay()) return true;
  if (outside == TypedOutside::Kept) return false;
  {
    const QSignalBlocker quiet(box);
    box->clear();
  }
  if (startButton()->isEnabled()) startButton()->setFocus();
  return false;
}

void GameWindow::answerJudged(bool right, int keystrokes, int flashMs, const std::function<void(bool on)>& flash,
                              const std::function<void()>& next) {
  recordAnswer(right, keystrokes);
  if (right) {
    next();
    return;
  }
  // Typing on during the flash must not judge the same answer twice.
  m_showingWrong = true;
  flash(true);
  after(flashMs, [this, flash, next] {
    flash(false);
    m_showingWrong = false;
    next();
  });
}

void GameWindow::cmdHozon_Click() {
  if (m_engine.answersGiven() == 0 || m_engine.blnPlay() || m_engine.blnStart()) return;
  // Saving a play twice is allowed, but it counts the play twice in every total.
  if (m_playSaved && ask(QStringLiteral("このプレイはすでに保存しました。もう一度保存しますか？")) != platform::MsgResult::Ok) {
    return;
  }
  const bool bySeconds = m_engine.mode() == PlayEngine::Mode::Seconds;
  const PlayOutcome play = outcomeOf(m_engine, platform::Clock::now(), operationText());
  const QString settingText = bySeconds ? m_cboJikan->currentText() : m_cboKaisu->currentText();
  const SaveResult saved = savePlay(m_profile, play, detailText(settingText, play));
  // The grid mirrors the history file: a line the file did not take is not shown.
  if (saved.historyKept) m_history->addPlay(historyFields(m_profile.history, play));
  m_playSaved = m_playSaved || saved.historyKept || saved.recordKept;
  showSaved(saved.error.isEmpty(), play.savedAt);
  if (!saved.error.isEmpty()) {
    platform::showMessage(this, saved.error, QStringLiteral("保存エラー"), platform::MsgIcon::Exclamation);
  }
  m_history->REDRAW_GRAPH();
  m_history->lowerForPlay();
}

bool GameWindow::hasUnsavedPlay() const {
  return m_engine.phase() == PlayEngine::Phase::Ended && m_engine.answersGiven() > 0 && !m_playSaved;
}

bool GameWindow::unsavedPlayMayGo() { return !hasUnsavedPlay() || ask(kUnsavedPlay) == platform::MsgResult::Ok; }

// While the question is open the window does not start; it leaves only once the box has
// returned.
platform::MsgResult GameWindow::ask(const QString& question) {
  m_asking = true;
  const platform::MsgResult answer = platform::showMessage(this, question, QStringLiteral("保存確認"), platform::MsgIcon::Exclamation,
                                                           platform::MsgButtons::OkCancel, platform::MsgResult::Cancel);
  m_asking = false;
  return answer;
}

void GameWindow::showNothingToSave() {
  m_lblHozon->setText(QStringLiteral("解答がないため保存しません"));
  m_lblHozon->setStyleSheet(QStringLiteral("QLabel { color: #c00000; }"));
  m_lblHozon->setToolTip({});
}

void GameWindow::showSaved(bool ok, const QDateTime& at) {
  m_lblHozon->setText(ok ? QStringLiteral("保存しました") : QStringLiteral("保存できませんでした"));
  m_lblHozon->setStyleSheet(ok ? QStringLiteral("QLabel { color: #106020; }") : QStringLiteral("QLabel { color: #c00000; }"));
  m_lblHozon->setToolTip(records::recordTime(at.time()));
}

void GameWindow::cmdClear_Click() {
  const platform::MsgResult answer =
      platform::showMessage(this, QStringLiteral("履歴データをクリアします。よろしいですか？"), QStringLiteral("クリア確認"),
                            platform::MsgIcon::Exclamation, platform::MsgButtons::OkCancel, platform::MsgResult::Cancel);
  if (answer != platform::MsgResult::Ok) return;
  const QString error = platform::writeFileAtomic(m_profile.historyFile(), {});
  if (!error.isEmpty()) {
    platform::showMessage(this, error, QStringLiteral("クリア"), platform::MsgIcon::Exclamation);
    return;
  }
  m_history->clear();
  platform::showMessage(this, QStringLiteral("履歴データをクリアしました"), QStringLiteral("クリア終了"),
                        platform::MsgIcon::Information);
}

QString GameWindow::detailText(const QString& settingText, const PlayOutcome&) const {
  return modeDetail(settings().mode, settingText);
}

void GameWindow::showAccuracy(const QString& text) { setFigure(m_lblRitu, text); }

void GameWindow::setPlayAreaColour(const QColor& colour) {
  QPalette pal = m_playArea->palette();
  pal.setColor(QPalette::Window, colour);
  m_playArea->setPalette(pal);
}

QLabel* GameWindow::addRuleLine(const QRect& at) {
  auto* line = new QLabel(m_playArea);
  line->setObjectName(QStringLiteral("lblRule"));
  line->setGeometry(at);
  line->setAlignment(Qt::AlignCenter);
  return line;
}

void GameWindow::after(int ms, std::function<void()> then) {
  auto* timer = new QTimer(this);
  timer->setSingleShot(true);
  const auto wait = m_waits.insert(m_waits.end(), {timer, std::move(then)});
  connect(timer, &QTimer::timeout, this, [this, wait] { endWait(wait); });
  timer->start(ms);
}

void GameWindow::endWait(std::list<Wait>::iterator wait) {
  const std::function<void()> then = std::move(wait->then);
  wait->timer->stop();
  wait->timer->deleteLater();
  m_waits.erase(wait);
  if (!m_leaving) then();
}

void GameWindow::finishWaits() {
  // The earliest to end goes first; waits started meanwhile join the queue.
  while (finishNextWait()) {
  }
}

bool GameWindow::finishNextWait() {
  if (m_waits.empty()) return false;
  auto first = m_waits.begin();
  for (auto it = m_waits.begin(); it != m_waits.end(); ++it) {
    if (it->timer->remainingTime() < first->timer->remainingTime()) first = it;
  }
  endWait(first);
  return true;
}

void GameWindow::cmdEnd_Click() { leave(); }

void GameWindow::leave() {
  if (m_leaving) return;
  if (platform::messageOpen(this)) {
    platform::closeAfterMessages(this);
    return;
  }
  if (!unsavedPlayMayGo()) return;
  m_leaving = true;
  m_tmrStart.stop();
  m_tmrBp.stop();
  m_tmrPlay.stop();
  if (returnToMain()) returnToMain()();
  close();
}

void GameWindow::closeEvent(QCloseEvent* event) {
  if (m_leaving) {
    event->accept();
    return;
  }
  // Closing the window is the way back too. The close under way is the one that lets the
  // window go: Qt ignores a second close() from inside this one.
  cmdEnd_Click();
  event->setAccepted(m_leaving);
}

}  // namespace games
