#include "canvas/PalettePanel.h"

#include "canvas/ColourButton.h"
#include "canvas/Twips.h"
#include "document/Palette.h"

#include <QButtonGroup>

namespace kalvero {
namespace {

QColor PaletteColour(int index) {
    const Rgb colour = Palette[static_cast<std::size_t>(index)];
    return QColor(colour.r, colour.g, colour.b);
}

} // namespace

PalettePanel::PalettePanel(QWidget* parent)
    : QFrame(parent), FarbAuswahlBalken(new ColourButton(this)), group_(new QButtonGroup(this)) {
    setObjectName(QStringLiteral("Farbauswahl"));
    setFrameStyle(QFrame::Box | QFrame::Sunken);
    FarbAuswahlBalken->setObjectName(QStringLiteral("FarbAuswahlBalken"));
    FarbAuswahlBalken->setGeometry(PxRect(240, 240, 1692, 192));
    FarbAuswahlBalken->setFocusPolicy(Qt::NoFocus);
    FarbAuswahlBalken->setColour(PaletteColour(0));

    group_->setExclusive(true);
    for (int index = 0; index < 16; ++index) {
        auto* button = new ColourButton(this);
        button->setObjectName(QStringLiteral("Option1_%1").arg(index));
        button->setCheckable(true);
        button->setGeometry(PxRect(120 + 240 * (index % 8), 600 + 360 * (index / 8), 252, 252));
        group_->addButton(button, index);
        options_[static_cast<std::size_t>(index)] = button;
    }
    options_[0]->setChecked(true);
    connect(group_, &QButtonGroup::idClicked, this, &PalettePanel::Option1_Click);
}

int PalettePanel::selectedIndex() const {
    return group_->checkedId();
}

void PalettePanel::colourOptions() {
    for (int index = 0; index < 16; ++index) {
        options_[static_cast<std::size_t>(index)]->setColour(PaletteColour(index));
    }
}

void PalettePanel::Option1_Click(int index) {
    FarbAuswahlBalken->setColour(PaletteColour(index));
}

} // namespace kalvero
