// SPDX-License-Identifier: GPL-3.0-or-later
// Building the game window: its frames, controls, figures and tab order.
#include "games/framework/AnswerBox.h"
#include "games/framework/GamePictures.h"
#include "games/framework/GameWindow.h"
#include "help/HelpWindow.h"
#include "platform/widgets/ButtonKeys.h"
#include "platform/widgets/ColorButton.h"
#include "platform/widgets/Shape.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace games {

namespace {
constexpr char kFigureCaption[] = "figureCaption";
constexpr int kMargin = 10;
constexpr int kSideWidth = 460;
// Fits a 1366 x 768 screen with a panel and a title bar.
constexpr int kWindowHeight = 676;
constexpr int kHelpButtonSize = 36;
constexpr int kHelpButtonTop = 176;

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
  const int historyTop = m_figuresY + 62;
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
  m_chkAs->setAccessibleDescription(QStringLiteral(
      "押してあるときはプレイが終わると自動で保存します。外すと手動保存モードになり、「保存」で保存します"));
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
  m_cmdStart =
      button(QStringLiteral("cmdStart"), QStringLiteral("スタート"), m_sideX, QStringLiteral("ゲームをスタートします"));
  m_cmdHozon =
      button(QStringLiteral("cmdHozon"), QStringLiteral("保存"), m_sideX + 118, QStringLiteral("データを保存します"));
  m_cmdClear = button(QStringLiteral("cmdClear"), QStringLiteral("クリア"), m_sideX + 236,
                      QStringLiteral("履歴データをクリアします"));
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

  // The way to the help that F1 also takes, for those who do not know the key: beside the
  // clock, where no game puts anything.
  m_cmdHelp = new platform::ColorButton(QStringLiteral("?"), this);
  m_cmdHelp->setObjectName(QStringLiteral("cmdHelp"));
  m_cmdHelp->setAccessibleName(QStringLiteral("ヘルプ"));
  m_cmdHelp->setToolTip(QStringLiteral("ヘルプを表示します（F1）"));
  m_cmdHelp->setGeometry(m_sideX + kSideWidth - kHelpButtonSize, kHelpButtonTop, kHelpButtonSize, kHelpButtonSize);
  QFont bold = m_cmdHelp->font();
  bold.setBold(true);
  bold.setPointSize(14);
  m_cmdHelp->setFont(bold);
  connect(m_cmdHelp, &QPushButton::clicked, this, [this] { help::HelpWindow::showPage(objectName(), this); });

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
  // Its longer texts take two lines in the little room left of the window's edge.
  m_lblHozon->setGeometry(862, y - 4, 128, 38);
  m_lblHozon->setWordWrap(true);
  // One line under the figures: the play against the best of its setting.
  m_lblBest = new QLabel(this);
  m_lblBest->setObjectName(QStringLiteral("lblBest"));
  m_lblBest->setGeometry(kMargin, y + 34, width() - 2 * kMargin, 24);
  m_lblBest->setStyleSheet(QStringLiteral("QLabel { font-size: 12pt; color: #103070; }"));
}

// Settings, the start button, the answers, the history with its filters and graphs, then
// saving, clearing, going back and the help.
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
  chain.insert(chain.end(), {m_cmdHozon, m_cmdClear, m_cmdEnd, m_cmdHelp});
  for (size_t i = 1; i < chain.size(); ++i) setTabOrder(chain[i - 1], chain[i]);
}

void GameWindow::setFigure(QLabel* label, const QString& text) {
  label->setText(text);
  const QString caption = label->property(kFigureCaption).toString();
  label->setAccessibleName(text.isEmpty() ? caption : caption + QLatin1Char(' ') + text);
}

}  // namespace games
