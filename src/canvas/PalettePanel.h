#pragma once

#include <QFrame>
#include <array>

class QButtonGroup;

namespace kalvero {

class ColourButton;

// The frame Farbauswahl: the colour bar FarbAuswahlBalken, which shows the
// painting colour, and the sixteen palette buttons Option1_0 .. Option1_15, of
// which exactly one is selected. An etched frame from its top edge, with the
// window's background inside.
class PalettePanel final : public QFrame {
    Q_OBJECT

public:
    explicit PalettePanel(QWidget* parent = nullptr);

    int selectedIndex() const;
    ColourButton* option(int index) const { return options_[static_cast<std::size_t>(index)]; }
    ColourButton* colourBar() const { return FarbAuswahlBalken; }
    // Gives each palette button its palette colour.
    void colourOptions();
    // The bar takes palette colour index.
    void Option1_Click(int index);

private:
    ColourButton* FarbAuswahlBalken;
    std::array<ColourButton*, 16> options_{};
    QButtonGroup* group_;
};

} // namespace kalvero
