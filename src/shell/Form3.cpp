#include "shell/Form3.h"

#include "canvas/Twips.h"
#include "shell/Artwork.h"
#include "shell/DesignLook.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace kalvero {

Form3::Form3(QWidget* parent)
    : QWidget(parent, Qt::Window), Label2(new QLabel(QStringLiteral("Version  X"), this)),
      Command1(new QPushButton(QStringLiteral("&OK"), this)) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("about"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(Px(Form3ClientPlace.width), Px(Form3ClientPlace.height));
    UseDesignBackground(*this);

    auto* image = new QLabel(this);
    image->setObjectName(QStringLiteral("Image1"));
    image->setPixmap(ArtworkPixmap(QStringLiteral("icons/kalvero"), QSize(32, 32)));
    image->setGeometry(PxRect(PlaceIn(Form3Places, "Image1")));

    auto* name = new QLabel(QStringLiteral("Kalvero"), this);
    name->setObjectName(QStringLiteral("Label1"));
    name->setFont(DesignFont(QStringLiteral("MS Sans Serif"), 13.5, true));
    name->move(PxRect(PlaceIn(Form3Places, "Label1")).topLeft());
    name->adjustSize();

    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setFont(DesignFont(QStringLiteral("MS Sans Serif"), 8.25, true));
    Label2->move(PxRect(PlaceIn(Form3Places, "Label2")).topLeft());
    Label2->adjustSize();

    auto* line = new QFrame(this);
    line->setObjectName(QStringLiteral("Line1"));
    line->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    line->setGeometry(PxRect(PlaceIn(Form3Places, "Line1")));

    auto* contact = new QPlainTextEdit(this);
    contact->setObjectName(QStringLiteral("Text1"));
    contact->setGeometry(PxRect(PlaceIn(Form3Places, "Text1")));
    contact->setReadOnly(true);
    contact->setPlainText(ResourceText(QStringLiteral("about.txt")));

    Command1->setObjectName(QStringLiteral("Command1"));
    // Return presses the OK button, as the space bar does.
    Command1->setAutoDefault(true);
    Command1->setFocus();

    Command1->setGeometry(PxRect(PlaceIn(Form3Places, "Command1")));
    connect(Command1, &QPushButton::clicked, this, &QWidget::hide);
}

void Form3::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        hide();
    } else {
        QWidget::keyPressEvent(event);
    }
}

void Form3::setVersionText(const QString& text) {
    Label2->setText(text);
    Label2->adjustSize();
}

} // namespace kalvero
