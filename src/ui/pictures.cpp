#include "pictures.h"

#include "applanguage.h"

#include <QPainter>
#include <QPixmap>

#include <array>
#include <span>

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

QString picturePath(const QString& name) {
    return QStringLiteral(":/pictures/") + name;
}

/** A PNG picture compiled into the program (see pictures.qrc). */
QIcon shipped(const QString& name) {
    ensurePictures();
    return QIcon(picturePath(name + QStringLiteral(".png")));
}

/** The picture at index in a list of names, none for an index outside it. */
QIcon shippedAt(std::span<const char* const> names, int index) {
    if (index < 0 || std::size_t(index) >= names.size())
        return {};
    return shipped(QString::fromLatin1(names[std::size_t(index)]));
}

} // namespace

QIcon menuPicture(int index) {
    constexpr int pictureCount = 16;
    if (index < 0 || index >= pictureCount)
        return {};
    return shipped(QStringLiteral("menu%1").arg(index, 2, 10, QLatin1Char('0')));
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
    return shipped(QStringLiteral("object%1").arg(index));
}

QIcon editPicture(int index) {
    static const std::array<const char*, 4> names{"editCut", "editCopy", "editPaste",
                                                  "editDuplicate"};
    return shippedAt(names, index);
}

QIcon arrangePicture(int index) {
    static const std::array<const char*, 10> names{
        "alignLeft",    "alignRight", "alignTop",   "alignBottom",      "alignCentres",
        "alignMiddles", "sameWidth",  "sameHeight", "distributeAcross", "distributeDown"};
    return shippedAt(names, index);
}

QIcon palettePicture(ControlKind kind) {
    static const std::array<const char*, controlKindCount> names{
        "paletteLabel",  "paletteTextField", "palettePassword",
        "paletteButton", "paletteList",      "paletteComboBox"};
    return shipped(QString::fromLatin1(names[kindIndex(kind)]));
}

QIcon selectAllPicture() {
    return shipped(QStringLiteral("selectAll"));
}

QIcon copyPicture() {
    return shipped(QStringLiteral("copy"));
}

namespace {

QPixmap shippedPixmap(const QString& name) {
    ensurePictures();
    return QPixmap(picturePath(name));
}

QIcon withDisabled(const QString& normal, const QString& disabled) {
    ensurePictures();
    QIcon icon(picturePath(normal));
    icon.addFile(picturePath(disabled), QSize(), QIcon::Disabled);
    return icon;
}

} // namespace

QPixmap flagPicture(Language language) {
    static const Texts3 names{"flagBrazil.gif", "flagUsa.gif", "flagMexico.gif"};
    return shippedPixmap(qs(names.in(language)));
}

QIcon checkPicture() {
    return withDisabled(QStringLiteral("check.png"), QStringLiteral("checkDisabled.png"));
}

QIcon exitPicture() {
    return withDisabled(QStringLiteral("exit.png"), QStringLiteral("exitDisabled.png"));
}

QPixmap splashPicture() {
    return shippedPixmap(QStringLiteral("splash.jpg"));
}

QPixmap aboutPicture() {
    return shippedPixmap(QStringLiteral("about.jpg"));
}

QIcon programIcon() {
    return shipped(QStringLiteral("program"));
}

} // namespace vap::ui
