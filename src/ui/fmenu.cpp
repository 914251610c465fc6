#include "fmenu.h"

#include "adjusterport.h"
#include "applanguage.h"
#include "controllook.h"
#include "designdocument.h"
#include "dialogs.h"
#include "errorbox.h"
#include "facertaling.h"
#include "fcriaobjeto.h"
#include "fgera.h"
#include "fsobre.h"
#include "fsplash.h"
#include "javapreview.h"
#include "pictures.h"

#include "core/codegen/exampleclass.h"
#include "core/codegen/javalimits.h"
#include "core/codegen/windowobjects.h"
#include "core/files/designfile.h"
#include "core/files/storabletext.h"
#include "core/files/windows1252.h"
#include "core/lang/datetext.h"
#include "core/lang/editmenutexts.h"
#include "core/model/design.h"
#include "core/model/error.h"
#include "core/model/printable.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QScopeGuard>
#include <QScreen>
#include <QToolTip>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <string_view>
#include <utility>

namespace vap::ui {

namespace {
constexpr Texts3 captionTitle{"Janela Principal", "Main window", "Ventana principal"};
constexpr Texts3 captionPrompt{
    "Informe a Legenda:", "Report the Caption:", "Informe el Subtítulo:"};
constexpr int classNameMaxLength = 255;

/** How far a paste or a duplicate lands from the controls it copies, in pixels each way. */
constexpr int pasteOffset = 10;

/** The keys of the menus' edit entries, shown beside their captions. */
struct EditEntry {
    const char* name;
    const char* key;
};
constexpr EditEntry controlMenuEntries[] = {{"objCut", "Ctrl+X"},
                                            {"objCopy", "Ctrl+C"},
                                            {"objPaste", "Ctrl+V"},
                                            {"objDuplicate", "Ctrl+D"}};
struct ArrangeEntry {
    const char* name;
    const char* key;
    Arrangement arrangement;
};
constexpr ArrangeEntry arrangeEntries[] = {
    {"arrLeft", "Ctrl+Shift+Left", Arrangement::AlignLeft},
    {"arrRight", "Ctrl+Shift+Right", Arrangement::AlignRight},
    {"arrTop", "Ctrl+Shift+Up", Arrangement::AlignTop},
    {"arrBottom", "Ctrl+Shift+Down", Arrangement::AlignBottom},
    {"arrCentres", "Ctrl+Shift+C", Arrangement::AlignHorizontalCentres},
    {"arrMiddles", "Ctrl+Shift+M", Arrangement::AlignVerticalCentres},
    {"arrWidth", "Ctrl+Shift+W", Arrangement::SameWidth},
    {"arrHeight", "Ctrl+Shift+H", Arrangement::SameHeight},
    {"arrAcross", "Ctrl+Alt+H", Arrangement::DistributeHorizontally},
    {"arrDown", "Ctrl+Alt+V", Arrangement::DistributeVertically},
};
constexpr EditEntry mainMenuEntries[] = {{"opcPaste", "Ctrl+V"}, {"opcSelectAll", "Ctrl+A"}};

/** The key shown beside an edit entry's caption; none for the Align submenu. */
const char* keyOfEntry(std::string_view component) {
    for (const EditEntry& entry : controlMenuEntries)
        if (component == entry.name)
            return entry.key;
    for (const EditEntry& entry : mainMenuEntries)
        if (component == entry.name)
            return entry.key;
    for (const ArrangeEntry& entry : arrangeEntries)
        if (component == entry.name)
            return entry.key;
    return nullptr;
}

/** A paste from a clipboard without controls, in the interface language (English for none). */
[[noreturn]] void refuseEmptyPaste() {
    throw Error(std::string(noControlsToPaste.pick(Lingua()).value_or(noControlsToPaste.en)));
}

/** A menu entry's caption as a window's title shows it: without its access letter's mark. */
QString withoutAccessMark(const QString& caption) {
    QString shown;
    for (qsizetype at = 0; at < caption.size(); ++at) {
        if (caption[at] == QLatin1Char('&') && ++at == caption.size())
            break; // "&&" stands for one '&'
        shown += caption[at];
    }
    return shown;
}

/** The widest range of window positions a window system takes (X11's coordinates are 16-bit). */
constexpr int windowCoordinateLimit = 32767;

/**
 * The clipboard's text as design-file bytes, converted a piece at a time so that a big paste is
 * never held as UTF-8 besides. A character a design file cannot hold refuses the paste.
 */
std::string windows1252Of(const QString& text) {
    constexpr qsizetype piece = 1 << 16;
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (qsizetype at = 0; at < text.size();) {
        qsizetype length = std::min(piece, text.size() - at);
        if (at + length < text.size() && text.at(at + length - 1).isHighSurrogate())
            --length; // a surrogate pair stays whole
        QByteArray utf8 = QStringView(text).sliced(at, length).toUtf8();
        std::string_view view(utf8.constData(), static_cast<std::size_t>(utf8.size()));
        if (auto unencodable = findUnencodable(view))
            throw Error("Cannot paste: a design file cannot hold the character " +
                        printableText(unencodable->character));
        appendWindows1252(bytes, view);
        at += length;
    }
    return bytes;
}

} // namespace

TF_Menu::TF_Menu(DesignDocument& document, QWidget* parent)
    : QWidget(parent), design_(document.design()), document_(document),
      canvas_(new DesignCanvas(document, this)) {
    setObjectName(QStringLiteral("F_Menu"));
    setWindowIcon(programIcon());
    QPalette grey = palette();
    grey.setColor(QPalette::Window, designGrey);
    setPalette(grey);
    setAutoFillBackground(true);
    buildMenus();
    showCaption();
    shownOuter_ = QRect(pos(), shownOuterBounds().size());
    resize(shownOuter_.size());
    document_.addUndoKeys(this);
    design_.addObserver(this);
    canvas_->setGeometry(rect());
    connect(canvas_, &DesignCanvas::selectionChanged, this, &TF_Menu::showSelectionInInspector,
            Qt::QueuedConnection);
    connect(canvas_, &DesignCanvas::firstPainted, this, &TF_Menu::noteFirstPaint);
    connect(canvas_, &DesignCanvas::controlMenuRequested, this, &TF_Menu::openControlMenu);
    connect(canvas_, &DesignCanvas::controlDoubleClicked, this,
            [this](const Control* control) { runCommand([&] { ObjetoDblClick(control); }); });
}

TF_Menu::~TF_Menu() {
    design_.removeObserver(this);
}

QAction* TF_Menu::addEntry(QMenu* menu, const char* name, const QIcon& icon,
                           void (TF_Menu::*handler)()) {
    QAction* action = menu->addAction(icon, QString());
    action->setObjectName(QString::fromLatin1(name));
    if (handler)
        connect(action, &QAction::triggered, this,
                [this, handler] { runCommand([&] { (this->*handler)(); }); });
    return action;
}

QAction* TF_Menu::addSeparator(QMenu* menu, const char* name) {
    QAction* separator = menu->addSeparator();
    separator->setObjectName(QString::fromLatin1(name));
    return separator;
}

void TF_Menu::buildMenus() {
    popMnu = new QMenu(this);
    popMnu->setObjectName(QStringLiteral("popMnu"));
    opc1 = addEntry(popMnu, "opc1", menuPicture(11), &TF_Menu::opc1Click);
    N1 = addSeparator(popMnu, "N1");
    opc2 = addEntry(popMnu, "opc2", menuPicture(1), &TF_Menu::opc2Click);

    auto* formats = new QMenu(popMnu);
    formats->setObjectName(QStringLiteral("opc3Menu"));
    opc3 = popMnu->addMenu(formats);
    opc3->setObjectName(QStringLiteral("opc3"));
    opc3->setIcon(menuPicture(2));
    opc31 = addEntry(formats, "opc31", menuPicture(7), &TF_Menu::opc31Click);
    opc32 = addEntry(formats, "opc32", menuPicture(8), &TF_Menu::opc32Click);
    opc31->setCheckable(true);
    opc32->setCheckable(true);

    opc4 = addEntry(popMnu, "opc4", menuPicture(3), &TF_Menu::opc4Click);
    N2 = addSeparator(popMnu, "N2");

    auto* generate = new QMenu(popMnu);
    generate->setObjectName(QStringLiteral("opc5Menu"));
    opc5 = popMnu->addMenu(generate);
    opc5->setObjectName(QStringLiteral("opc5"));
    opc5->setIcon(menuPicture(0));
    opc51 = addEntry(generate, "opc51", menuPicture(10), &TF_Menu::opc51Click);
    opc52 = addEntry(generate, "opc52", menuPicture(9), &TF_Menu::opc52Click);
    opc53 = addEntry(generate, "opc53", menuPicture(15), &TF_Menu::opc53Click);
    opc53->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    addAction(opc53); // the key works while the window is active, with no menu open

    opc6 = addEntry(popMnu, "opc6", menuPicture(12), &TF_Menu::opc6Click);
    opc7 = addEntry(popMnu, "opc7", menuPicture(13), &TF_Menu::opc7Click);
    opc8 = addEntry(popMnu, "opc8", menuPicture(14), &TF_Menu::opc8Click);
    N3 = addSeparator(popMnu, "N3");
    Criador = addEntry(popMnu, "Criador", menuPicture(5), &TF_Menu::CriadorClick);
    Criador->setText(QStringLiteral("© Orvalhan"));
    Versao = addEntry(popMnu, "Versao", menuPicture(6), &TF_Menu::VersaoClick);
    Versao->setText(QStringLiteral("Dez 2000 - Versão 0.4"));
    N4 = addSeparator(popMnu, "N4");
    opcSair = addEntry(popMnu, "opcSair", menuPicture(4), &TF_Menu::opcSairClick);

    popObj = new QMenu(this);
    popObj->setObjectName(QStringLiteral("popObj"));
    obj1 = addEntry(popObj, "obj1", objectMenuPicture(0), &TF_Menu::obj1Click);
    obj2 = addEntry(popObj, "obj2", objectMenuPicture(1), &TF_Menu::obj2Click);

    buildEditEntries();
    buildHistoryEntries();
    // The designed captions, until a language is applied.
    for (const MenuEntryText& entry : mainMenuTextTable())
        findChild<QAction*>(qs(entry.component))->setText(qs(entry.initial));
    showEditEntryTexts(std::nullopt);
}

void TF_Menu::buildHistoryEntries() {
    std::size_t entry = 0;
    for (QMenu* menu : {popMnu, popObj}) {
        addSeparator(menu, menu == popMnu ? "N7" : "N8");
        for (int redo = 0; redo < 2; ++redo, ++entry) {
            const HistoryEntryText& text = historyEntryTexts[entry];
            document_.addHistoryEntry(addEntry(menu, text.component.data(), QIcon(), nullptr),
                                      text.redo, text.verb);
        }
    }
}

void TF_Menu::buildEditEntries() {
    addSeparator(popObj, "N5");
    const std::array<void (TF_Menu::*)(), 4> edits{&TF_Menu::cutSelection, &TF_Menu::copySelection,
                                                   &TF_Menu::pasteClipboard,
                                                   &TF_Menu::duplicateSelection};
    for (std::size_t i = 0; i < edits.size(); ++i)
        addEntry(popObj, controlMenuEntries[i].name, editPicture(static_cast<int>(i)), edits[i]);
    arrangeMenu_ = new QMenu(popObj);
    arrangeMenu_->setObjectName(QStringLiteral("objArrangeMenu"));
    QAction* arrange = popObj->addMenu(arrangeMenu_);
    arrange->setObjectName(QStringLiteral("objArrange"));
    arrange->setIcon(arrangePicture(0));
    int picture = 0;
    for (const ArrangeEntry& entry : arrangeEntries) {
        QAction* action = addEntry(arrangeMenu_, entry.name, arrangePicture(picture++), nullptr);
        Arrangement arrangement = entry.arrangement;
        connect(action, &QAction::triggered, this,
                [this, arrangement] { runCommand([&] { arrangeSelection(arrangement); }); });
        addKey(QKeySequence(QString::fromLatin1(entry.key)),
               [this, arrangement] { arrangeSelection(arrangement); });
    }
    addSeparator(popMnu, "N6");
    addEntry(popMnu, "opcPaste", editPicture(2), &TF_Menu::pasteClipboard);
    addEntry(popMnu, "opcSelectAll", selectAllPicture(), &TF_Menu::selectAllControls);
    // Paste is greyed while the clipboard holds no controls, the arrangements while too few
    // controls are selected for them.
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &TF_Menu::showPasteState);
    for (QMenu* menu : {popMnu, popObj})
        connect(menu, &QMenu::aboutToShow, this, &TF_Menu::showPasteState);
    connect(canvas_, &DesignCanvas::selectionChanged, this, &TF_Menu::showArrangeState);
    showPasteState();
    showArrangeState();

    addKey(QKeySequence::SelectAll, [this] { selectAllControls(); });
    addKey(QKeySequence(Qt::Key_Escape), [this] { cancelOrDeselect(); });
    addKey(QKeySequence::Copy, [this] { copySelection(); });
    addKey(QKeySequence::Cut, [this] { cutSelection(); });
    addKey(QKeySequence::Paste, [this] { pasteClipboard(); });
    addKey(QKeySequence(Qt::CTRL | Qt::Key_D), [this] { duplicateSelection(); });
    addKey(QKeySequence(Qt::Key_Delete), [this] { deleteSelection(); });
    addKey(QKeySequence(Qt::SHIFT | Qt::Key_F10), [this] { openMenuByKey(); });
    const struct {
        Qt::Key key;
        int dx;
        int dy;
    } arrows[] = {
        {Qt::Key_Left, -1, 0}, {Qt::Key_Right, 1, 0}, {Qt::Key_Up, 0, -1}, {Qt::Key_Down, 0, 1}};
    for (const auto& arrow : arrows) {
        addKey(QKeySequence(arrow.key), [this, arrow] { nudgeSelection(arrow.dx, arrow.dy); });
        addKey(QKeySequence(Qt::SHIFT | arrow.key),
               [this, arrow] { resizeSelection(arrow.dx, arrow.dy); });
    }
}

void TF_Menu::addKey(const QKeySequence& key, const std::function<void()>& command) {
    auto* action = new QAction(this);
    action->setShortcut(key);
    action->setAutoRepeat(true);
    addAction(action);
    // The command runs after the key's handling is over, so that its error box stands alone.
    connect(
        action, &QAction::triggered, this, [command] { runCommand(command); },
        Qt::QueuedConnection);
}

// ---- mirroring the design

void TF_Menu::controlRemoved(const Control& control) {
    if (menuTarget_ == &control)
        menuTarget_ = nullptr;
}

void TF_Menu::designCleared() {
    menuTarget_ = nullptr;
}

void TF_Menu::windowChanged(WindowField field) {
    const DesignWindow& window = design_.window();
    switch (field) {
    case WindowField::Caption:
        showCaption();
        break;
    case WindowField::Left:
    case WindowField::Top:
    case WindowField::Width:
    case WindowField::Height:
        // New numbers from the design (undo, redo, Open): a maximized window takes them as they
        // are, or the window manager would keep it filling the screen.
        if (!applyingBounds_ && (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)))
            setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
        applyWindowBounds();
        break;
    case WindowField::Resizable:
        showMark(opc31, menuPicture(7), window.resizable);
        break;
    case WindowField::Modal:
        showMark(opc32, menuPicture(8), window.modal);
        break;
    case WindowField::JavaClassName:
        break;
    }
}

void TF_Menu::showMark(QAction* entry, const QIcon& picture, bool checked) {
    entry->setChecked(checked);
    entry->setIcon(checked ? checkedPicture(picture) : picture);
}

void TF_Menu::showCaption() {
    QString caption = qs(design_.window().caption);
    if (!caption.isEmpty()) {
        setWindowTitle(caption);
        return;
    }
    // Qt gives the window system the program's name for an empty title; the designed window
    // has none. A title made of one blank shows as empty, so it stands in for the moment.
    // The program sets no display name of its own, so none is put back.
    QGuiApplication::setApplicationDisplayName(QStringLiteral(" "));
    setWindowTitle(caption);
    QGuiApplication::setApplicationDisplayName(QString());
}

// ---- the designed window's bounds: the design holds the outer bounds, frame included

QRect TF_Menu::shownOuterBounds() const {
    // A size no screen can show would only become memory: the window shows at most the size of
    // the desktop, while the design keeps its own numbers.
    const DesignWindow& window = design_.window();
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    QSize desktop =
        screen ? screen->virtualSize() : QSize(windowCoordinateLimit, windowCoordinateLimit);
    auto size = [](std::int32_t wanted, int frame, int most) {
        return static_cast<int>(std::clamp<std::int64_t>(std::int64_t{wanted} - frame, 1,
                                                         std::max(1, most - frame))) +
               frame;
    };
    auto place = [](std::int32_t wanted) {
        return std::clamp<std::int32_t>(wanted, -windowCoordinateLimit, windowCoordinateLimit);
    };
    return QRect(place(window.left), place(window.top),
                 size(window.width, frameExtra_.width(), desktop.width()),
                 size(window.height, frameExtra_.height(), desktop.height()));
}

void TF_Menu::applyWindowBounds() {
    if (applyingBounds_)
        return;
    applyingBounds_ = true;
    boundsApplied_.start();
    if (isVisible())
        frameExtra_ = frameGeometry().size() - geometry().size();
    shownOuter_ = shownOuterBounds();
    move(shownOuter_.topLeft());
    resize(shownOuter_.size() - frameExtra_);
    if (isVisible())
        shownOuter_ = frameGeometry(); // where the window system really put it
    applyingBounds_ = false;
}

void TF_Menu::recordWindowBounds(bool fromWindowSystem) {
    if (applyingBounds_ || !isVisible())
        return;
    // Shortly after the window was told where to be, a change from the window system is the
    // window manager's answer (a window kept on the screen, or kept from covering its panels):
    // it is where the window shows, and the design keeps its own numbers.
    constexpr qint64 settleMilliseconds = 1000;
    const bool answer = fromWindowSystem && boundsApplied_.isValid() &&
                        boundsApplied_.elapsed() < settleMilliseconds;
    // Maximizing, or restoring, changes the frame too; that is the user's, not a new frame.
    const Qt::WindowStates filling = Qt::WindowMaximized | Qt::WindowFullScreen;
    const bool byUser = !answer && ((windowState() | statesSeen_) & filling);
    statesSeen_ = windowState();
    QSize extra = frameGeometry().size() - geometry().size();
    if (extra != frameExtra_) {
        frameExtra_ = extra;
        if (!byUser) {
            // The window manager has just put its frame around the window: keep the outer size.
            applyWindowBounds();
            return;
        }
    }
    // Only a change away from what the window was told to show is the user's: a size clamped
    // for the screen never goes back into the design.
    QRect outer = frameGeometry();
    std::vector<std::pair<WindowField, std::int32_t>> moved;
    if (outer.x() != shownOuter_.x())
        moved.emplace_back(WindowField::Left, outer.x());
    if (outer.y() != shownOuter_.y())
        moved.emplace_back(WindowField::Top, outer.y());
    if (outer.width() != shownOuter_.width())
        moved.emplace_back(WindowField::Width, outer.width());
    if (outer.height() != shownOuter_.height())
        moved.emplace_back(WindowField::Height, outer.height());
    shownOuter_ = outer;
    if (answer)
        return;
    applyingBounds_ = true;
    QScopeGuard done([this] { applyingBounds_ = false; });
    document_.setWindowBounds(moved);
}

void TF_Menu::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    recordWindowBounds(event->spontaneous());
}

void TF_Menu::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    canvas_->setGeometry(rect());
    recordWindowBounds(event->spontaneous());
}

void TF_Menu::centreOnScreen() {
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect available = screen->availableGeometry();
    QSize shown = shownOuterBounds().size();
    design_.setWindowLeft(available.x() + (available.width() - shown.width()) / 2);
    design_.setWindowTop(available.y() + (available.height() - shown.height()) / 2);
}

// ---- language texts

void TF_Menu::applyLanguageTexts() {
    const MainWindowTexts& texts = appLanguage().mainWindow;
    for (const MenuEntryText& entry : mainMenuTextTable()) {
        if (auto* action = findChild<QAction*>(qs(entry.component)))
            action->setText(qs(texts.menuCaption(entry.component)));
    }
    showEditEntryTexts(Lingua().language().value_or(Language::Portuguese));
    document_.retranslate();
}

void TF_Menu::showEditEntryTexts(std::optional<Language> language) {
    for (const MenuEntryText& entry : editMenuTextTable) {
        QString caption = qs(language ? entry.texts.in(*language) : entry.initial);
        if (const char* key = keyOfEntry(entry.component))
            caption += QLatin1Char('\t') +
                       QKeySequence(QString::fromLatin1(key)).toString(QKeySequence::NativeText);
        findChild<QAction*>(qs(entry.component))->setText(caption);
    }
}

void TF_Menu::composeCaptions() {
    const LanguageState& language = appLanguage();
    design_.setCaption(composeMainCaption(language));
    DateText today = todayText();
    Versao->setText(qs(composeVersaoCaption(language, today.monthAbbrev, today.year)));
}

// ---- show and close

void TF_Menu::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    boundsApplied_.start(); // the window manager places a window it is given to show
    if (shownOnce_)
        return;
    shownOnce_ = true;
    runCommand([this] { FormShow(); });
}

void TF_Menu::FormShow() {
    design_.clear(); // as Clear does, though not a step of the user's
    // Start-up ends once the window is on the screen: after the splash, which goes over it, or
    // without one when a setting that cannot be read stops this showing.
    auto oncePainted = [this](auto work) {
        if (paintedOnce_)
            QMetaObject::invokeMethod(this, work, Qt::QueuedConnection);
        else
            connect(
                this, &TF_Menu::firstPainted, this, work,
                static_cast<Qt::ConnectionType>(Qt::QueuedConnection | Qt::SingleShotConnection));
    };
    try {
        setLingua(readLanguage_ ? readLanguage_() : LanguageCode(Language::Portuguese));
    } catch (const Error& error) {
        // The setting's message, then the rest of start-up: one box at a time.
        oncePainted([this, message = QString::fromStdString(error.what())] {
            showErrorBox(message);
            emit startupFinished();
        });
        return;
    } catch (...) {
        oncePainted([this] { emit startupFinished(); });
        throw;
    }
    AplicaLingua(appLanguage());
    applyLanguageTexts();
    composeCaptions();
    oncePainted([this] {
        runCommand([this] { VersaoClick(); });
        emit startupFinished();
    });
}

void TF_Menu::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    noteFirstPaint();
}

void TF_Menu::noteFirstPaint() {
    if (!paintedOnce_) {
        paintedOnce_ = true;
        emit firstPainted();
    }
}

void TF_Menu::closeEvent(QCloseEvent* event) {
    bool closing = false;
    runCommand([&] { closing = FormClose(); });
    if (!closing) {
        event->ignore();
        return;
    }
    event->accept();
    QApplication::exit(0); // the other windows go with the program, asking nothing
}

bool TF_Menu::FormClose() {
    const LanguageState& language = appLanguage();
    if (!dialogs().askYesNo(this, qs(language.NomeProduto), qs(language.PerguntaSair)))
        return false;
    if (writeOnExit_)
        writeOnExit_();
    return true;
}

void TF_Menu::contextMenuEvent(QContextMenuEvent* event) {
    event->accept();
    if (event->reason() == QContextMenuEvent::Keyboard) {
        // The Menu key: the control menu at the selection, as Shift+F10 opens it.
        QMetaObject::invokeMethod(
            this, [this] { runCommand([this] { openMenuByKey(); }); }, Qt::QueuedConnection);
        return;
    }
    canvas_->endGesture(); // the menu takes the mouse: the drag's release would never come
    popMnu->popup(event->globalPos());
}

void TF_Menu::openControlMenu(const Control* control, QPoint globalPosition) {
    menuTarget_ = control;
    canvas_->endGesture();
    popObj->popup(globalPosition);
}

void TF_Menu::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    canvas_->endGesture();
}

void TF_Menu::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // Another window has the keyboard and may have the mouse: the release may never come here.
    if (event->type() == QEvent::ActivationChange && !isActiveWindow())
        canvas_->endGesture();
}

// ---- commands of the main menu

bool TF_Menu::InspectorOpen() const {
    return inspector_ && inspector_->isOpen();
}

void TF_Menu::closeInspectorIfOpen() {
    if (InspectorOpen())
        inspector_->closeInspector();
}

void TF_Menu::opc1Click() {
    closeInspectorIfOpen();
    TF_AcertaLing F_AcertaLing;
    dialogs().runModal(&F_AcertaLing);
    // OK applied the language to the texts; a close by the close box left them as they were.
    if (F_AcertaLing.result() == QDialog::Accepted)
        applyLanguageTexts();
    // The caption the language composes is a step like any other change of the caption.
    std::string caption = design_.window().caption;
    composeCaptions();
    std::string composed = design_.window().caption;
    if (composed != caption) {
        design_.setCaption(caption);
        document_.setWindowValue(WindowField::Caption, composed);
    }
}

void TF_Menu::opc2Click() {
    auto language = Lingua().language();
    if (!language)
        return;
    QString preset = qs(design_.window().caption);
    std::optional<QString> caption = dialogs().askText(this, qs(captionTitle.in(*language)),
                                                       qs(captionPrompt.in(*language)), preset, 0);
    if (!caption)
        return;
    checkStorableText(ss(*caption), Lingua());
    checkFitsJava(JavaValue::Title, ss(*caption), Lingua());
    document_.setWindowValue(WindowField::Caption, ss(*caption));
}

void TF_Menu::opc31Click() {
    document_.setWindowValue(WindowField::Resizable, !design_.window().resizable);
}

void TF_Menu::opc32Click() {
    document_.setWindowValue(WindowField::Modal, !design_.window().modal);
}

void TF_Menu::opc4Click() {
    if (!palette_)
        return;
    palette_->setWindowTitle(withoutAccessMark(opc4->text()));
    palette_->show();
    palette_->raise();
    palette_->activateWindow();
}

void TF_Menu::opc51Click() {
    TF_Gera F_Gera;
    LineCollector code;
    GeraObjetosJanela(design_, F_Gera.comments(), code);
    F_Gera.fill({windowObjectsCaption(Lingua()), std::move(code.lines),
                 javaLimitWarnings(design_, Lingua())});
    dialogs().runModal(&F_Gera);
}

void TF_Menu::opc52Click() {
    TF_Gera F_Gera;
    const LanguageState& language = appLanguage();
    ExampleClassContext context{language.Lingua, language.NomeProduto, language.TextoVersao,
                                F_Gera.comments(), todayText()};
    std::string className = design_.window().JavaClassName;
    GeneratedCode code = GeraClasseExemplo(design_, context, [this](const ClassNamePrompt& prompt) {
        std::optional<QString> answer = dialogs().askText(
            this, qs(prompt.title), qs(prompt.label), qs(prompt.initialValue), classNameMaxLength);
        return answer ? std::optional<std::string>(ss(*answer)) : std::nullopt;
    });
    // The generator stores an accepted name in the design; that naming is a step of its own.
    std::string named = design_.window().JavaClassName;
    if (named != className) {
        design_.setJavaClassName(className);
        document_.setWindowValue(WindowField::JavaClassName, named);
    }
    F_Gera.fill(code);
    if (!code.lines.empty())
        dialogs().runModal(&F_Gera);
}

void TF_Menu::opc53Click() {
    if (preview_)
        preview_->start(design_);
}

void TF_Menu::opc6Click() {
    const MainWindowTexts& texts = appLanguage().mainWindow;
    QString path = dialogs().chooseOpenFile(
        this, FileDialogTexts{qs(texts.openTitle), qs(texts.openFilter), QStringLiteral("vap")});
    if (path.isEmpty())
        return;
    openDesignFile(path);
    emit designMatchesFile();
}

void TF_Menu::openDesignFile(const QString& path) {
    // The file is read and checked before the design is cleared: a bad file, or one of more
    // controls than the designer holds, changes nothing.
    openDesignFile(readDesignFile(path.toStdString()));
}

void TF_Menu::openDesignFile(DesignFile file) {
    document_.open(file);
}

void TF_Menu::opc7Click() {
    const MainWindowTexts& texts = appLanguage().mainWindow;
    QString path = dialogs().chooseSaveFile(
        this, FileDialogTexts{qs(texts.saveTitle), qs(texts.saveFilter), QStringLiteral("vap")});
    if (path.isEmpty())
        return;
    GravaJanela(design_, path.toStdString());
    document_.markSaved();
    emit designMatchesFile();
}

void TF_Menu::opc8Click() {
    document_.clear(); // the inspector closes itself as the controls go
}

void TF_Menu::opcSairClick() {
    close();
}

void TF_Menu::CriadorClick() {
    TF_Sobre F_Sobre;
    dialogs().runModal(&F_Sobre);
}

void TF_Menu::VersaoClick() {
    TF_Splash F_Splash;
    dialogs().runModal(&F_Splash);
}

// ---- commands of the control menu

void TF_Menu::obj1Click() {
    if (!menuTarget_ || !inspector_)
        return;
    inspector_->selectName(menuTarget_->name());
    inspector_->showInspector();
    inspector_->cbObjetoChange();
}

void TF_Menu::obj2Click() {
    if (!menuTarget_)
        return;
    document_.deleteControl(*menuTarget_); // the inspector closes itself first
}

void TF_Menu::ObjetoDblClick(const Control* sender) {
    if (!InspectorOpen() || !design_.contains(sender))
        return;
    inspector_->selectName(sender->name());
    inspector_->cbObjetoChange();
    inspector_->repaintNow();
}

// ---- commands on the selection

void TF_Menu::attachInspector(AdjusterPort* inspector) {
    inspector_ = inspector;
    // The control the inspector shows becomes the selection, and a selection of one shows there.
    inspector_->setShownControlListener([this](const std::string& name) {
        if (const Control* control = design_.findControl(name))
            canvas_->select({control});
    });
}

void TF_Menu::showSelectionInInspector() {
    const std::vector<const Control*>& selected = canvas_->selection();
    if (selected.size() != 1 || !InspectorOpen())
        return;
    inspector_->selectName(selected.front()->name());
    inspector_->cbObjetoChange();
}

std::vector<const Control*> TF_Menu::selectionInCreationOrder() const {
    std::vector<const Control*> chosen;
    for (const auto& control : design_.controls())
        if (canvas_->isSelected(*control))
            chosen.push_back(control.get());
    return chosen;
}

void TF_Menu::selectAllControls() {
    canvas_->selectAll();
}

void TF_Menu::cancelOrDeselect() {
    if (canvas_->gestureInProgress())
        canvas_->endGesture();
    else
        canvas_->clearSelection();
}

void TF_Menu::reshapeSelection(
    Step step, const std::function<std::vector<Bounds>(std::span<const Bounds>)>& reshape) {
    if (canvas_->gestureInProgress())
        return;
    const std::vector<const Control*>& selected = canvas_->selection();
    std::vector<Bounds> bounds;
    for (const Control* control : selected)
        bounds.push_back(boundsOf(*control));
    std::vector<Bounds> reshaped = reshape(bounds);
    std::vector<std::pair<const Control*, Bounds>> changes;
    for (std::size_t i = 0; i < selected.size(); ++i)
        changes.emplace_back(selected[i], reshaped[i]);
    document_.setControlsBounds(changes, step, true); // a key held makes one step
}

void TF_Menu::nudgeSelection(int dx, int dy) {
    reshapeSelection(Step::MoveControls,
                     [dx, dy](std::span<const Bounds> bounds) { return nudged(bounds, dx, dy); });
}

void TF_Menu::resizeSelection(int dw, int dh) {
    reshapeSelection(Step::ResizeControls, [dw, dh](std::span<const Bounds> bounds) {
        return resizedBy(bounds, dw, dh);
    });
}

void TF_Menu::deleteSelection() {
    canvas_->endGesture();
    std::vector<const Control*> chosen = selectionInCreationOrder();
    if (!chosen.empty())
        document_.deleteControls(chosen); // the inspector closes itself first
}

void TF_Menu::arrangeSelection(Arrangement arrangement) {
    canvas_->endGesture();
    if (canvas_->selection().size() >= 2)
        document_.arrangeControls(canvas_->selection(), arrangement);
}

QString TF_Menu::controlsMimeType() {
    return QStringLiteral("application/x-vaporina-controls");
}

void TF_Menu::copySelection() {
    std::vector<ControlData> copied;
    for (const Control* control : selectionInCreationOrder())
        copied.push_back(control->data());
    if (copied.empty())
        return;
    std::string records = controlRecords(copied);
    auto* data = new QMimeData;
    data->setData(controlsMimeType(), QByteArray::fromStdString(records));
    data->setText(qs(decodeWindows1252(records)));
    QGuiApplication::clipboard()->setMimeData(data);
    pastedInARow_ = 0;
}

void TF_Menu::cutSelection() {
    std::vector<const Control*> chosen = selectionInCreationOrder();
    if (chosen.empty())
        return;
    copySelection();
    canvas_->endGesture();
    document_.deleteControls(chosen, Step::Cut);
}

bool TF_Menu::clipboardHoldsControls() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data)
        return false;
    if (data->hasFormat(controlsMimeType()))
        return true;
    // Tags are ASCII: the text's UTF-8 shows them as its design-file bytes would.
    QByteArray text = data->text().toUtf8();
    return holdsControlRecords(
        std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
}

void TF_Menu::showPasteState() {
    bool holdsControls = clipboardHoldsControls();
    for (const char* name : {"opcPaste", "objPaste"})
        findChild<QAction*>(QString::fromLatin1(name))->setEnabled(holdsControls);
}

void TF_Menu::showArrangeState() {
    // Aligning needs a reference and one more control; distributing keeps the outermost two
    // and moves those between them.
    const std::size_t selected = canvas_->selection().size();
    for (const ArrangeEntry& entry : arrangeEntries) {
        bool distributes = entry.arrangement == Arrangement::DistributeHorizontally ||
                           entry.arrangement == Arrangement::DistributeVertically;
        findChild<QAction*>(QString::fromLatin1(entry.name))
            ->setEnabled(selected >= (distributes ? 3u : 2u));
    }
    findChild<QAction*>(QStringLiteral("objArrange"))->setEnabled(selected >= 2);
}

void TF_Menu::pasteClipboard() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data)
        refuseEmptyPaste();
    QByteArray copied = data->data(controlsMimeType());
    std::string typed; // the text form, as design-file bytes
    std::string_view records(copied.constData(), static_cast<std::size_t>(copied.size()));
    if (records.empty()) {
        typed = windows1252Of(data->text());
        records = typed;
        if (!holdsControlRecords(records))
            refuseEmptyPaste();
    }
    // Refused before any control is built when the design would grow past the limit.
    std::vector<ControlData> controls = readControlRecords(
        records, [this](std::size_t count) { document_.checkRoomFor(count, Step::Paste); });
    // Pasting the same controls again puts each copy a step further from the last. Only the
    // text's size and hash are kept, not the text.
    const PastedText pasted{records.size(), std::hash<std::string_view>{}(records)};
    const int inARow = pasted == lastPasted_ ? pastedInARow_ + 1 : 1;
    copied = QByteArray();
    std::string().swap(typed); // the controls are built: the text goes before they are made
    canvas_->endGesture();
    std::int64_t offset = std::int64_t{pasteOffset} * inARow;
    canvas_->select(document_.pasteControls(std::move(controls), Offset{offset, offset}));
    pastedInARow_ = inARow;
    lastPasted_ = pasted;
}

void TF_Menu::duplicateSelection() {
    std::vector<ControlData> copied;
    for (const Control* control : selectionInCreationOrder())
        copied.push_back(control->data());
    if (copied.empty())
        return;
    canvas_->endGesture();
    canvas_->select(document_.pasteControls(std::move(copied), Offset{pasteOffset, pasteOffset},
                                            Step::Duplicate));
}

void TF_Menu::openMenuByKey() {
    canvas_->endGesture();
    const std::vector<const Control*>& selected = canvas_->selection();
    if (selected.empty()) {
        popMnu->popup(mapToGlobal(rect().center()));
        return;
    }
    QRect shown = canvas_->shownRect(*selected.front()) & rect();
    QPoint at = shown.isEmpty() ? rect().center() : shown.center();
    openControlMenu(selected.front(), mapToGlobal(at));
}

} // namespace vap::ui
