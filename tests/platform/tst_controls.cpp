#include "platform/widgets/ColorButton.h"
#include "support/TestSupport.h"

#include <QImage>
#include <QtTest>

#include <memory>

using namespace platform;

class TestControls : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void init() {
    testing::resetRunState();
    m_dir = std::make_unique<testing::WorkingDir>();
  }
  void cleanup() { m_dir.reset(); }

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

 private:
  std::unique_ptr<testing::WorkingDir> m_dir;
};

QTEST_MAIN(TestControls)
#include "tst_controls.moc"
