// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/widgets/ButtonKeys.h"
#include "platform/widgets/ColorButton.h"
#include "platform/widgets/FocusStyle.h"
#include "platform/widgets/MessageBox.h"
#include "support/FreshRunTest.h"
#include "support/WidgetTestSupport.h"

#include <QAccessible>
#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QStyleFactory>
#include <QtTest>

#include <memory>

using namespace platform;

Q_DECLARE_METATYPE(Qt::KeyboardModifiers)
Q_DECLARE_METATYPE(platform::MsgButtons)
Q_DECLARE_METATYPE(platform::MsgResult)

class TestControls : public testing::FreshRunTest {
  Q_OBJECT

 private Q_SLOTS:
  void colorButton_isFilledWithExactlyItsColour_darkerWhilePressed() {
    ColorButton button(QStringLiteral("全部"));
    button.resize(120, 40);
    button.setBackColor(kSelectedFilter);
    const QPoint beside(12, 20);  // left of the text
    QCOMPARE(button.grab().toImage().pixelColor(beside), kSelectedFilter);

    button.setDown(true);
    const QColor pressed = button.grab().toImage().pixelColor(beside);
    QVERIFY(pressed.lightness() < kSelectedFilter.lightness());
    button.setDown(false);

    // With the button face it looks like any other button.
    button.setButtonFace();
    QPushButton plain(QStringLiteral("全部"));
    plain.resize(button.size());
    QCOMPARE(button.grab().toImage(), plain.grab().toImage());
  }

  void colorButton_saysItIsSelected_toAScreenReader() {
    ColorButton button(QStringLiteral("全部表示"));
    QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(&button);
    button.setBackColor(kSelectedFilter);
    QCOMPARE(spoken->text(QAccessible::Name), QStringLiteral("全部表示（選択中）"));
    button.setButtonFace();
    QCOMPARE(spoken->text(QAccessible::Name), QStringLiteral("全部表示"));
    button.setAccessibleName(QStringLiteral("曜日すべて"));
    button.setBackColor(kSelectedFilter);
    button.setBackColor(kSelectedFilter);
    QCOMPARE(spoken->text(QAccessible::Name), QStringLiteral("曜日すべて（選択中）"));
    button.setButtonFace();
    QCOMPARE(spoken->text(QAccessible::Name), QStringLiteral("曜日すべて"));
  }

  void colorButton_showsItsFocus_atAGlance_data() {
    QTest::addColumn<QColor>("colour");
    QTest::newRow("button face") << ColorButton::buttonFace();
    QTest::newRow("selected") << kSelectedGraph;
  }
  void colorButton_showsItsFocus_atAGlance() {
    QFETCH(QColor, colour);
    ColorButton button(QStringLiteral("スタート"));
    button.setBackColor(colour);
    button.resize(120, 40);
    button.show();
    button.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&button));
    button.setFocus();
    const QImage focused = button.grab().toImage();
    for (const QPoint at : {QPoint(3, 20), QPoint(60, 3), QPoint(116, 20)})
      QCOMPARE(focused.pixelColor(at), button.palette().color(QPalette::Highlight));
  }

  void focusStyle_framesAFocusedButtonThickly() {
    QWidget window;
    auto* other = new QLineEdit(&window);
    auto* button = new QPushButton(QStringLiteral("終了"), &window);
    platform::FocusStyle style(QStyleFactory::create(QStringLiteral("Fusion")));
    button->setStyle(&style);
    button->setGeometry(0, 40, 120, 40);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    other->setFocus();
    const QImage plain = button->grab().toImage();
    button->setFocus();
    const QImage focused = button->grab().toImage();
    const QColor highlight = button->palette().color(QPalette::Highlight);
    int framed = 0;
    for (int x = 0; x < focused.width(); ++x) {
      if (focused.pixelColor(x, 20) == highlight && plain.pixelColor(x, 20) != highlight) ++framed;
    }
    QVERIFY2(framed >= 6, qPrintable(QString::number(framed)));  // three pixels on each side
  }

  void enter_pressesTheFocusedButton_butStaysWithLineEdits_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::newRow("Enter") << int(Qt::Key_Return) << Qt::KeyboardModifiers();
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << Qt::KeyboardModifiers(Qt::KeypadModifier);
  }

  void enter_pressesTheFocusedButton_butStaysWithLineEdits() {
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    installEnterPressesButtons();
    installEnterPressesButtons();  // a second time must not press twice
    QPushButton plain(QStringLiteral("スタート"));
    ColorButton toggle(QStringLiteral("手動保存モード"));
    toggle.setCheckable(true);
    QLineEdit answer;
    QSignalSpy clicked(&plain, &QPushButton::clicked);
    QSignalSpy returned(&answer, &QLineEdit::returnPressed);

    QTest::keyClick(&plain, Qt::Key(key), modifiers);
    QTest::keyClick(&toggle, Qt::Key(key), modifiers);
    QTest::keyClick(&answer, Qt::Key(key), modifiers);

    QCOMPARE(clicked.size(), 1);
    QVERIFY(toggle.isChecked());
    QCOMPARE(returned.size(), 1);
  }

  // A question that could lose or duplicate something is not answered OK by a stray Enter.
  void enterInAQuestion_givesItsDefaultAnswer_data() {
    QTest::addColumn<MsgButtons>("buttons");
    QTest::addColumn<MsgResult>("defaultButton");
    QTest::newRow("OK first") << MsgButtons::OkCancel << MsgResult::Ok;
    QTest::newRow("Cancel first") << MsgButtons::OkCancel << MsgResult::Cancel;
    QTest::newRow("save first") << MsgButtons::YesNoCancel << MsgResult::Yes;
  }
  void enterInAQuestion_givesItsDefaultAnswer() {
    QFETCH(MsgButtons, buttons);
    QFETCH(MsgResult, defaultButton);
    setMessageHandler({});  // real boxes
    installEnterPressesButtons();
    QWidget owner;
    owner.show();
    QTimer::singleShot(0, &owner, [] {
      QWidget* box = QApplication::activeModalWidget();
      QVERIFY(box);
      QTest::keyClick(box->focusWidget(), Qt::Key_Return);
    });
    QCOMPARE(showMessage(&owner, QStringLiteral("よろしいですか？"), QStringLiteral("確認"), MsgIcon::Exclamation, buttons,
                         defaultButton),
             defaultButton);
  }

  // A window is asked to close while its box runs: it closes after the box, once; and a
  // parent destroyed anyway takes its box along without a crash.
  void closeDuringABox_waitsForIt_andAVanishedParentEndsTheBox() {
    setMessageHandler({});  // real boxes
    QPointer<QWidget> owner = new QWidget;
    owner->setAttribute(Qt::WA_DeleteOnClose);
    owner->show();
    bool open = false;
    QTimer::singleShot(0, owner, [&] {
      open = messageOpen(owner);
      closeAfterMessages(owner);
      QTest::keyClick(QApplication::activeModalWidget()->focusWidget(), Qt::Key_Return);
    });
    QCOMPARE(showMessage(owner, QStringLiteral("ヘルプツアー"), QStringLiteral("ヘルプツアー")), MsgResult::Ok);
    QVERIFY(open && owner && owner->isVisible() && !messageOpen(owner));
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(owner.isNull());

    auto* parent = new QWidget;
    parent->show();
    QTimer::singleShot(0, parent, [parent] { delete parent; });
    QCOMPARE(showMessage(parent, QStringLiteral("保存できませんでした"), QStringLiteral("保存エラー")), MsgResult::Cancel);
  }

 private:
};

QTEST_MAIN(TestControls)
#include "tst_controls.moc"
