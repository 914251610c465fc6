#include "fsplash.h"

#include "applanguage.h"
#include "pictures.h"

#include <QLabel>
#include <QShowEvent>

namespace vap::ui {

TF_Splash::TF_Splash(QWidget* parent)
    : FrameClosedDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                    Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("F_Splash"));
    setWindowTitle(QStringLiteral("Orvalhan - orvalhan@vaporina.example"));
    setFixedSize(413, 438);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    // The picture is drawn at its natural size from the top left; the box cuts its last rows.
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(16, 40, 389, 392);
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image1->setPixmap(splashPicture());

    labTitulo = new QLabel(QStringLiteral("Vaporina - Versão 1.0"), this);
    labTitulo->setObjectName(QStringLiteral("labTitulo"));
    labTitulo->setGeometry(0, 0, 409, 40);
    labTitulo->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    QFont title(QStringLiteral("Times New Roman"));
    title.setPixelSize(35);
    labTitulo->setFont(title);
}

void TF_Splash::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TF_Splash::FormShow() {
    const LanguageState& language = appLanguage();
    labTitulo->setText(qs(composeMainCaption(language)));
}

} // namespace vap::ui
