#include "pictures.h"

#include "applanguage.h"
#include "controllook.h"

#include <QApplication>
#include <QFile>
#include <QPainter>
#include <QPixmap>
#include <QStyle>

#include <array>

// The pictures are compiled into this static library; their resource must be registered by hand
// so that the linker keeps it (and the call must stand outside any namespace).
static void registerPictures() {
    Q_INIT_RESOURCE(pictures);
}

namespace vap::ui {

namespace {

void ensurePictures() {
    static const bool registered = (registerPictures(), true);
    (void)registered;
}

QIcon standard(QStyle::StandardPixmap pixmap) {
    return QApplication::style()->standardIcon(pixmap);
}

/** A picture shipped with the program, or a stand-in made only when there is none. */
template <class StandIn> QIcon shipped(const QString& name, StandIn&& standIn) {
    ensurePictures();
    QString path = QStringLiteral(":/pictures/") + name + QStringLiteral(".png");
    return QFile::exists(path) ? QIcon(path) : QIcon(standIn());
}

/** A small drawing of the control itself, as the palette shows its kinds. */
QIcon miniature(ControlKind kind) {
    const std::array<QString, 6> captions{QStringLiteral("A"),  QStringLiteral("ab"),
                                          QStringLiteral("**"), QStringLiteral("OK"),
                                          QStringLiteral("≡"),  QString()};
    QPixmap pixmap(25, 18);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    ControlLook look = lookOf(kind);
    QRect rect = kind == ControlKind::Label ? QRect(4, 1, 18, 16) : QRect(0, 2, 25, 14);
    paintPanel(painter, rect, look, captions[kindIndex(kind)]);
    if (kind == ControlKind::ComboBox)
        paintComboArrow(painter, 25 + 4, 18);
    return QIcon(pixmap);
}

} // namespace

QIcon menuPicture(int index) {
    static const std::array<QStyle::StandardPixmap, 15> standIns{QStyle::SP_MediaPlay,
                                                                 QStyle::SP_FileDialogDetailedView,
                                                                 QStyle::SP_FileDialogListView,
                                                                 QStyle::SP_FileDialogNewFolder,
                                                                 QStyle::SP_DialogCloseButton,
                                                                 QStyle::SP_MessageBoxInformation,
                                                                 QStyle::SP_FileIcon,
                                                                 QStyle::SP_BrowserReload,
                                                                 QStyle::SP_DirIcon,
                                                                 QStyle::SP_FileDialogContentsView,
                                                                 QStyle::SP_TitleBarNormalButton,
                                                                 QStyle::SP_DialogHelpButton,
                                                                 QStyle::SP_DialogOpenButton,
                                                                 QStyle::SP_DialogSaveButton,
                                                                 QStyle::SP_DialogResetButton};
    if (index < 0 || static_cast<std::size_t>(index) >= standIns.size())
        return {};
    return shipped(QStringLiteral("menu%1").arg(index, 2, 10, QLatin1Char('0')),
                   [index] { return standard(standIns[static_cast<std::size_t>(index)]); });
}

QIcon checkedPicture(const QIcon& picture) {
    QIcon checked;
    for (int side : {16, 32}) {
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setOpacity(0.45); // the picture stays recognisable under the mark
        picture.paint(&painter, pixmap.rect());
        painter.setOpacity(1.0);
        painter.scale(side / 16.0, side / 16.0);
        const QPointF tick[] = {{2.5, 8.5}, {6.5, 12.5}, {13.5, 3.5}};
        painter.setPen(QPen(Qt::white, 4.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolyline(tick, 3);
        painter.setPen(QPen(QColor(0, 110, 0), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolyline(tick, 3);
        painter.end();
        checked.addPixmap(pixmap);
    }
    return checked;
}

QIcon objectMenuPicture(int index) {
    return shipped(QStringLiteral("object%1").arg(index), [index] {
        return standard(index == 0 ? QStyle::SP_FileDialogInfoView : QStyle::SP_TrashIcon);
    });
}

QIcon palettePicture(ControlKind kind) {
    static const std::array<const char*, 6> names{"paletteLabel",    "paletteTextField",
                                                  "palettePassword", "paletteButton",
                                                  "paletteList",     "paletteComboBox"};
    return shipped(QString::fromLatin1(names[kindIndex(kind)]), [kind] { return miniature(kind); });
}

QIcon selectAllPicture() {
    return shipped(QStringLiteral("selectAll"),
                   [] { return standard(QStyle::SP_FileDialogListView); });
}

QIcon copyPicture() {
    return shipped(QStringLiteral("copy"), [] { return standard(QStyle::SP_DialogApplyButton); });
}

namespace {

QString picturePath(const QString& name) {
    return QStringLiteral(":/pictures/") + name;
}

QPixmap shippedPixmap(const QString& name, QSize standInSize) {
    ensurePictures();
    QPixmap picture(picturePath(name));
    if (!picture.isNull())
        return picture;
    QPixmap standIn(standInSize);
    standIn.fill(QColor(120, 140, 170));
    return standIn;
}

QIcon withDisabled(const QString& normal, const QString& disabled, QStyle::StandardPixmap standIn) {
    ensurePictures();
    if (!QFile::exists(picturePath(normal)))
        return standard(standIn);
    QIcon icon(picturePath(normal));
    icon.addFile(picturePath(disabled), QSize(), QIcon::Disabled);
    return icon;
}

} // namespace

QPixmap flagPicture(int lingua) {
    static const Texts3 names{"flagBrazil.gif", "flagUsa.gif", "flagMexico.gif"};
    auto name = names.pick(lingua);
    if (!name)
        return {};
    return shippedPixmap(qs(*name), QSize(54, 31));
}

QIcon checkPicture() {
    return withDisabled(QStringLiteral("check.png"), QStringLiteral("checkDisabled.png"),
                        QStyle::SP_DialogOkButton);
}

QIcon exitPicture() {
    return withDisabled(QStringLiteral("exit.png"), QStringLiteral("exitDisabled.png"),
                        QStyle::SP_DialogCloseButton);
}

QPixmap splashPicture() {
    return shippedPixmap(QStringLiteral("splash.jpg"), QSize(389, 399));
}

QPixmap aboutPicture() {
    return shippedPixmap(QStringLiteral("about.jpg"), QSize(295, 294));
}

QIcon programIcon() {
    return shipped(QStringLiteral("program"),
                   [] { return standard(QStyle::SP_TitleBarMenuButton); });
}

} // namespace vap::ui
