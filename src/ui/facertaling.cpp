#include "facertaling.h"

#include "applanguage.h"
#include "clickablepicture.h"
#include "pictures.h"
#include "placedlabel.h"

#include <QLabel>
#include <QShowEvent>
#include <QToolButton>

namespace vap::ui {

namespace {
constexpr Texts3 caption{"Bem Vindo...", "Welcome...", "Bienvenida..."};
constexpr Texts3 chooseText{"Escolha a linguagem:", "Choose the language:", "Escoja el idioma:"};
constexpr Texts3 portugueseText{"Português", "Portuguese", "Portugués"};
constexpr Texts3 englishText{"Inglês", "English", "Inglés"};
constexpr Texts3 spanishText{"Espanhol", "Spanish", "Español"};

ClickablePicture* flag(QWidget* parent, const char* name, const QPixmap& picture, QPoint place) {
    auto* image = new ClickablePicture(parent);
    image->setObjectName(QString::fromLatin1(name));
    image->setPixmap(picture);
    image->setGeometry(QRect(place, picture.isNull() ? QSize(54, 31) : picture.size()));
    image->setCursor(Qt::PointingHandCursor);
    return image;
}
} // namespace

TF_AcertaLing::TF_AcertaLing(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("F_AcertaLing"));
    setWindowTitle(QStringLiteral("Bem Vindo..."));
    setFixedSize(308, 166);
    LabEscolha = placedLabel(this, "LabEscolha", QStringLiteral("Escolha a linguagem:"), {8, 8});
    imgPort = flag(this, "imgPort", flagPicture(Language::Portuguese), {16, 40});
    imgIng = flag(this, "imgIng", flagPicture(Language::English), {16, 80});
    imgEsp = flag(this, "imgEsp", flagPicture(Language::Spanish), {16, 120});
    labPor = placedLabel(this, "labPor", QStringLiteral("Português"), {80, 48});
    LabIng = placedLabel(this, "LabIng", QStringLiteral("Inglês"), {80, 88});
    labEsp = placedLabel(this, "labEsp", QStringLiteral("Espanhol"), {80, 128});

    btOK = new QToolButton(this);
    btOK->setObjectName(QStringLiteral("btOK"));
    btOK->setGeometry(216, 104, 81, 57);
    btOK->setText(QStringLiteral("&OK"));
    btOK->setIcon(checkPicture());
    btOK->setIconSize(QSize(24, 24));
    btOK->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    btOK->setAutoRaise(true);

    connect(imgPort, &ClickablePicture::clicked, this, &TF_AcertaLing::imgPortClick);
    connect(imgIng, &ClickablePicture::clicked, this, &TF_AcertaLing::imgIngClick);
    connect(imgEsp, &ClickablePicture::clicked, this, &TF_AcertaLing::imgEspClick);
    connect(btOK, &QToolButton::clicked, this, &TF_AcertaLing::btOKClick);
}

void TF_AcertaLing::chooseLanguage(Language language) {
    setLingua(language);
    setWindowTitle(qs(caption.in(language)));
    for (auto [label, texts] :
         {std::pair{LabEscolha, chooseText}, std::pair{labPor, portugueseText},
          std::pair{LabIng, englishText}, std::pair{labEsp, spanishText}}) {
        label->setText(qs(texts.in(language)));
        label->adjustSize();
    }
}

void TF_AcertaLing::imgPortClick() {
    chooseLanguage(Language::Portuguese);
}
void TF_AcertaLing::imgIngClick() {
    chooseLanguage(Language::English);
}
void TF_AcertaLing::imgEspClick() {
    chooseLanguage(Language::Spanish);
}

void TF_AcertaLing::btOKClick() {
    AplicaLingua(appLanguage());
    accept();
}

void TF_AcertaLing::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TF_AcertaLing::FormShow() {
    auto language = Lingua().language();
    if (!language)
        return; // the designed Portuguese texts stay
    switch (*language) {
    case Language::Portuguese:
        imgPortClick();
        break;
    case Language::English:
        imgIngClick();
        break;
    case Language::Spanish:
        imgEspClick();
        break;
    }
}

} // namespace vap::ui
