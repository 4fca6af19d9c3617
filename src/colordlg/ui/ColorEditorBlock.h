#pragma once

#include "ColorPalette.h"

#include <QGroupBox>
#include <array>

class ColorSwatch;
class QFrame;
class QLabel;
class QLineEdit;
class QSlider;

// The colour dialog's editor of custom colours (group 1154): the recent
// custom colours, the opening colour, a value box and a track bar for each of
// red, green and blue, and the preview of the edited colour.
class ColorEditorBlock : public QGroupBox {
    Q_OBJECT
  public:
    explicit ColorEditorBlock(QWidget* parent = nullptr);

    // Loads a colour into the track bars and the value boxes.
    void load(COLORREF color);
    // The colour of the track bars.
    COLORREF editedColor() const;
    // The colour of the value boxes, each limited to 0-255.
    COLORREF previewColor() const;

    void setOpeningColor(COLORREF color);
    void setCustomColors(const class CustomColorList& list);

    QLineEdit* edit(int component) const { return edits_[size_t(component)]; }
    QSlider* track(int component) const { return tracks_[size_t(component)]; }
    ColorSwatch* custom(int index) const { return customs_[size_t(index)]; }
    ColorSwatch* opening() const { return opening_; }
    // The edit paired with a track bar, and the other way round; nullptr for others.
    QWidget* partnerOf(const QWidget* w) const;

  signals:
    void edited();

  private:
    void onEditChanged(int component);
    void repaintPreview();

    std::array<QLineEdit*, 3> edits_{};
    std::array<QSlider*, 3> tracks_{};
    std::array<ColorSwatch*, colorpalette::kCustomCount> customs_{};
    ColorSwatch* opening_ = nullptr;
    QFrame* previewFrame_ = nullptr;
    QFrame* preview_ = nullptr;
};
