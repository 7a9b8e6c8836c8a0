#pragma once
// A window that draws one coded text line (see CodedLine.h): the column titles above the
// detail list, its totals below it, the period line and the labels of the input row.

#include <QString>
#include <QWidget>

#include "lists/CodedLine.h"

namespace sorami {

class DisplayColors;

class CStaticWnd : public QWidget {
  Q_OBJECT

 public:
  // Style 1 draws in the button colours of the platform, style 2 in the colours of the
  // colour table for these lines.
  enum Style : int { ButtonStyle = 1, TableStyle = 2 };

  explicit CStaticWnd(const QString& text = QString(), int style = ButtonStyle,
                      QWidget* parent = nullptr);

  const QString& text() const { return text_; }
  // Replaces the line and shows it from its start.
  void setText(const QString& text);
  int style() const { return style_; }
  void setStyle(int style);
  // Shifts the columns left, to stay above or below a list scrolled sideways.
  int scrollOffset() const { return scrollOffset_; }
  void setScrollOffset(int pixels);
  void setGeometryUnits(const DetailGeometry& geometry);
  void setColors(const DisplayColors* colors);

  // Where the fields go in the current window.
  CodedLineLayout layout() const;
  TextMeasure measure() const;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString text_;
  int style_ = ButtonStyle;
  int scrollOffset_ = 0;
  DetailGeometry geometry_;
  const DisplayColors* colors_ = nullptr;
};

}  // namespace sorami
