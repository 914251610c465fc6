#include "fsobre.h"

#include "applanguage.h"
#include "pictures.h"
#include "placedlabel.h"

#include "core/lang/datetext.h"

#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

namespace vap::ui {

namespace {
constexpr Texts3 captionText{"Autor", "Author", "Autor"};
constexpr Texts3 sitesText{"Meus Sites:", "My Sites:", "Mis Sitios:"};
constexpr Texts3 exitHint{"Tenha minha paz", "Have my peace", "Tenga mi paz"};

} // namespace

TF_Sobre::TF_Sobre(QWidget* parent)
    : FrameClosedDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                    Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("F_Sobre"));
    setWindowTitle(QStringLiteral("Autor do Sistema"));
    setFixedSize(589, 304);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    QPixmap picture = aboutPicture();
    Image1->setPixmap(picture);
    Image1->setGeometry(QRect(QPoint(2, 7), picture.size()));

    Label1 = placedLabel(this, "Label1", QStringLiteral("Orvalhan"), {315, 24}, true);
    QFont name = Label1->font();
    name.setPixelSize(13);
    Label1->setFont(name);
    Label1->adjustSize();
    Label2 = placedLabel(this, "Label2", QStringLiteral("E-Mail"), {304, 72}, true);
    Label3 = placedLabel(this, "Label3", QStringLiteral("orvalhan@vaporina.example"), {328, 96});
    lbSite = placedLabel(this, "lbSite", QStringLiteral("Home-Page"), {304, 120}, true);
    Label5 = placedLabel(this, "Label5", QStringLiteral("https://vaporina.example"), {328, 144});
    Label6 =
        placedLabel(this, "Label6", QStringLiteral("https://orvalhan.example/java"), {328, 168});
    Label7 =
        placedLabel(this, "Label7", QStringLiteral("https://orvalhan.example/notas"), {328, 192});
    for (QLabel* site : {Label3, Label5, Label6, Label7})
        site->setTextInteractionFlags(Qt::TextSelectableByMouse);

    btSair = new QPushButton(exitPicture(), QStringLiteral("Om Shanti"), this);
    btSair->setObjectName(QStringLiteral("btSair"));
    btSair->setGeometry(368, 248, 177, 41);
    btSair->setIconSize(QSize(24, 24));
    btSair->setFlat(true);
    connect(btSair, &QPushButton::clicked, this, &TF_Sobre::btSairClick);
}

void TF_Sobre::btSairClick() {
    close();
}

void TF_Sobre::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TF_Sobre::FormShow() {
    const LanguageState& language = appLanguage();
    std::string caption = "Autor do Sistema";
    if (auto chosen = language.Lingua.language()) {
        caption = std::string(captionText.in(*chosen));
        lbSite->setText(qs(sitesText.in(*chosen)));
        lbSite->adjustSize();
        btSair->setToolTip(qs(exitHint.in(*chosen)));
    }
    DateText today = todayText();
    setWindowTitle(qs(caption + " " + language.NomeProduto + " - " +
                      composeVersaoCaption(language, today.monthAbbrev, today.year)));
}

} // namespace vap::ui
