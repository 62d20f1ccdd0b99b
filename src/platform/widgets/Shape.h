// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QWidget>

namespace platform {

// A filled shape with an outline, like a lamp on a panel.
class Shape : public QWidget {
  Q_OBJECT
 public:
  enum class Form { Rectangle, Circle };
  explicit Shape(Form form = Form::Rectangle, QWidget* parent = nullptr);

  void setFillColor(const QColor& color);
  QColor fillColor() const { return m_fill; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Form m_form;
  QColor m_fill = Qt::white;
};

}  // namespace platform
