#include "shell/Hinweis.h"

#include "canvas/Twips.h"
#include "editor/LanguageTexts.h"
#include "shell/Artwork.h"
#include "shell/DesignLook.h"
#include "shell/SizingLabel.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <algorithm>

namespace kalvero {

Hinweis::Hinweis(QWidget* parent)
    : QWidget(parent, Qt::Window), Label1(new QLabel(QStringLiteral("Kalvero"), this)),
      Label7(new SizingLabel(SizingLabel::Anchor::Centre, this)),
      Label4(new SizingLabel(SizingLabel::Anchor::Left, this)),
      Label3(new QLabel(QStringLiteral("Windows 9x/NT/2000"), this)),
      Text1(new QPlainTextEdit(this)), Command1(new QPushButton(QStringLiteral("&OK"), this)) {
    setObjectName(QStringLiteral("Hinweis"));
    setWindowTitle(QStringLiteral("Info"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(Px(HinweisClientPlace.width), Px(HinweisClientPlace.height));
    UseDesignBackground(*this);

    const QFont arial = DesignFont(QStringLiteral("Arial"), 9.75);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(PxRect(PlaceIn(HinweisPlaces, "Label1")));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setFont(DesignFont(QStringLiteral("Arial Black"), 21.75, true));

    Label7->setObjectName(QStringLiteral("Label7"));
    Label7->setGeometry(PxRect(PlaceIn(HinweisPlaces, "Label7")));
    Label7->setAlignment(Qt::AlignCenter);
    SetTextColour(*Label7, QColor(0, 0, 255));
    Label7->showText(QString::fromLatin1(HomepageAddress));

    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setGeometry(PxRect(PlaceIn(HinweisPlaces, "Label4")));
    Label4->setFont(arial);
    Label4->showText(QStringLiteral("label4"));

    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setGeometry(PxRect(PlaceIn(HinweisPlaces, "Label3")));
    Label3->setFont(arial);
    // The text runs a pixel past the design's width in the fonts of Arial's
    // widths; the label has no frame or background, so only its clipping
    // grows, towards the free margin on the right.
    Label3->resize(std::max(Label3->width(), Label3->fontMetrics().size(0, Label3->text()).width()),
                   Label3->height());

    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setGeometry(PxRect(PlaceIn(HinweisPlaces, "Text1")));
    Text1->setReadOnly(true);
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text1->setFont(DesignFont(QStringLiteral("Terminal"), 9, false, QFont::TypeWriter));

    Command1->setObjectName(QStringLiteral("Command1"));
    // Return presses the OK button, as the space bar does.
    Command1->setAutoDefault(true);

    Command1->setGeometry(PxRect(PlaceIn(HinweisPlaces, "Command1")));
    connect(Command1, &QPushButton::clicked, this, &QWidget::close);
}

void Hinweis::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
    } else {
        QWidget::keyPressEvent(event);
    }
}

void Hinweis::setLanguage(Language language) {
    const Language other = language == Language::German ? Language::English : Language::German;
    Text1->setPlainText(QString::fromStdString(ReadMeNews(language) + ReadMeNews(other)) +
                        ResourceText(QStringLiteral("readme.txt")));
}

void Hinweis::setVersionText(const QString& text) {
    Label4->showText(text);
}

void Hinweis::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    emit closed();
}

} // namespace kalvero
