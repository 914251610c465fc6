#include "fcriaobjeto.h"

#include "applanguage.h"
#include "errorbox.h"
#include "pictures.h"

#include "designdocument.h"

#include <QScreen>
#include <QShowEvent>
#include <QToolButton>

namespace vap::ui {

namespace {
constexpr Texts3 paletteCaption{"Criar Objetos", "Create Object", "Cree el Objeto"};
} // namespace

TF_CriaObjeto::TF_CriaObjeto(DesignDocument& document, QWidget* parent)
    : QWidget(parent,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      document_(document) {
    document_.addUndoKeys(this);
    setObjectName(QStringLiteral("F_CriaObjeto"));
    setWindowTitle(QStringLiteral("F_CriaObjeto"));
    setFixedSize(251, 47);
    struct ButtonPlace {
        QToolButton*& button;
        const char* name;
        ControlKind kind;
    };
    const std::array<ButtonPlace, controlKindCount> buttons{
        {{JLb, "JLb", ControlKind::Label},
         {JTF, "JTF", ControlKind::TextField},
         {JPF, "JPF", ControlKind::PasswordField},
         {JB, "JB", ControlKind::Button},
         {JLi, "JLi", ControlKind::List},
         {JCb, "JCb", ControlKind::ComboBox}}};
    int left = 8;
    for (const ButtonPlace& place : buttons) {
        auto* button = new QToolButton(this);
        button->setObjectName(QString::fromLatin1(place.name));
        button->setGeometry(left, 8, 33, 33);
        button->setAutoRaise(true);
        button->setIcon(palettePicture(place.kind));
        button->setIconSize(QSize(25, 21));
        button->setToolTip(qs(kindInfo(place.kind).javaClass));
        ControlKind kind = place.kind;
        connect(button, &QToolButton::clicked, this, [this, kind] { create(kind); });
        place.button = button;
        left += 40;
    }
}

void TF_CriaObjeto::create(ControlKind kind) {
    runCommand([&] { document_.createControl(kind); });
}

void TF_CriaObjeto::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TF_CriaObjeto::FormShow() {
    if (QScreen* screen = this->screen()) {
        QRect available = screen->availableGeometry();
        move(available.center() - QPoint(width() / 2, height() / 2));
    }
    if (auto caption = paletteCaption.pick(Lingua()))
        setWindowTitle(qs(*caption));
}

} // namespace vap::ui
