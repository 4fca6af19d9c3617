#pragma once

#include "ColorPalette.h"

#include <QAbstractButton>

// A button that shows a colour, and its caption in white or black, whichever
// reads on that colour. The colour dialog's swatches and the settings page's
// colour fields are swatches.
class ColorSwatch : public QAbstractButton {
    Q_OBJECT
  public:
    explicit ColorSwatch(QWidget* parent = nullptr);

    void setColor(COLORREF color);
    COLORREF color() const { return color_; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* e) override;

  private:
    COLORREF color_ = colorpalette::kWhite;
};

// The QColor of a stored colour.
QColor toQColor(COLORREF color);
