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
    FarbAuswahlBalken->setObjectName(QLatin1String(ColourBarPlace.name));
    FarbAuswahlBalken->setGeometry(PxRect(ColourBarPlace));
    FarbAuswahlBalken->setFocusPolicy(Qt::NoFocus);
    FarbAuswahlBalken->setColour(PaletteColour(0));

    group_->setExclusive(true);
    for (int index = 0; index < 16; ++index) {
        auto* button = new ColourButton(this);
        button->setObjectName(QLatin1String(ColourOptionPlace(index).name) +
                              QString::number(index));
        button->setCheckable(true);
        button->setGeometry(PxRect(ColourOptionPlace(index)));
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
