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
#include "tjcomponent.h"

#include "core/codegen/exampleclass.h"
#include "core/codegen/javalimits.h"
#include "core/codegen/windowobjects.h"
#include "core/files/designfile.h"
#include "core/lang/datetext.h"
#include "core/model/design.h"
#include "core/model/error.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QScopeGuard>
#include <QScreen>
#include <QToolTip>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <utility>

namespace vap::ui {

namespace {
constexpr Texts3 captionTitle{"Janela Principal", "Main window", "Ventana principal"};
constexpr Texts3 captionPrompt{
    "Informe a Legenda:", "Report the Caption:", "Informe el Subtítulo:"};
constexpr int classNameMaxLength = 255;

/**
 * Control widgets per layer. Qt paints sibling widgets by recursing once per sibling, so some
 * 25,000 controls side by side overflow the stack; in layers the depth is the layer count plus
 * the layer size.
 */
constexpr int controlsPerLayer = 1024;

/** The most controls the window takes from a file: some 3 KiB of memory each as widgets. */
constexpr std::size_t maxOpenedControls = 200000;

/** The widest range of window positions a window system takes (X11's coordinates are 16-bit). */
constexpr int windowCoordinateLimit = 32767;

/** A drag moves a control by the offset, stopping at the ends of the 32-bit range. */
std::int32_t movedBy(std::int32_t value, int offset) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        std::int64_t{value} + offset, std::numeric_limits<std::int32_t>::min(),
        std::numeric_limits<std::int32_t>::max()));
}

/**
 * A transparent widget over the whole client area that holds one run of control widgets in
 * creation order; later layers lie above earlier ones. Qt hands a mouse event to the topmost
 * layer wherever it has no control of its own, so the layer passes it on to the control beneath
 * in the layers below, or lets it fall through to the window's background.
 */
class ControlLayer : public QWidget {
public:
    explicit ControlLayer(QWidget* window) : QWidget(window) {
        setObjectName(QStringLiteral("controlLayer"));
        setGeometry(window->rect());
    }

protected:
    bool event(QEvent* event) override {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseMove:
            return passMouse(static_cast<QMouseEvent*>(event));
        case QEvent::ContextMenu: {
            auto* menu = static_cast<QContextMenuEvent*>(event);
            QWidget* target = controlBeneath(menu->pos());
            if (!target)
                break;
            QContextMenuEvent passed(menu->reason(),
                                     target->mapFrom(parentWidget(), mapToParent(menu->pos())),
                                     menu->globalPos(), menu->modifiers());
            QCoreApplication::sendEvent(target, &passed);
            return true;
        }
        case QEvent::ToolTip: {
            // A control of this layer without a hint passes the question up here: not beneath.
            auto* help = static_cast<QHelpEvent*>(event);
            if (childAt(help->pos()))
                break;
            QWidget* target = controlBeneath(help->pos());
            if (!target || target->toolTip().isEmpty())
                break;
            QToolTip::showText(help->globalPos(), target->toolTip(), target);
            return true;
        }
        default:
            break;
        }
        return QWidget::event(event);
    }

private:
    /** The topmost control widget at the point in the layers below this one. */
    QWidget* controlBeneath(QPoint point) const {
        const QObjectList& siblings = parentWidget()->children();
        auto self = std::find(siblings.rbegin(), siblings.rend(), this);
        for (auto sibling = self == siblings.rend() ? self : std::next(self);
             sibling != siblings.rend(); ++sibling) {
            auto* layer = dynamic_cast<ControlLayer*>(*sibling);
            if (!layer || layer->isHidden())
                continue;
            if (QWidget* control = layer->childAt(point))
                return control;
        }
        return nullptr;
    }

    /** The control that took a press keeps the moves and the release, as under a mouse grab. */
    bool passMouse(QMouseEvent* mouse) {
        QPoint at = mouse->position().toPoint();
        bool pressing = mouse->type() == QEvent::MouseButtonPress ||
                        mouse->type() == QEvent::MouseButtonDblClick;
        // A first button down picks the control anew: a release may have gone to a pop-up menu.
        if (pressing && mouse->buttons() == mouse->button())
            grabbed_ = controlBeneath(at);
        QPointer<QWidget> target = grabbed_;
        if (mouse->type() == QEvent::MouseButtonRelease && mouse->buttons() == Qt::NoButton)
            grabbed_ = nullptr;
        if (!target) {
            mouse->ignore(); // on to the window's background
            return false;
        }
        QMouseEvent passed(mouse->type(), target->mapFrom(parentWidget(), mapToParent(at)),
                           mouse->scenePosition(), mouse->globalPosition(), mouse->button(),
                           mouse->buttons(), mouse->modifiers(), mouse->pointingDevice());
        QCoreApplication::sendEvent(target, &passed);
        return true;
    }

    QPointer<QWidget> grabbed_;
};

} // namespace

TF_Menu::TF_Menu(DesignDocument& document, QWidget* parent)
    : QWidget(parent), design_(document.design()), document_(document), outline_(this) {
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
    for (const auto& control : design_.controls())
        controlAdded(*control);
}

TF_Menu::~TF_Menu() {
    design_.removeObserver(this);
    designCleared(); // the control widgets go while the outline they may hold is still there
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

    // The designed captions, until a language is applied.
    for (const MenuEntryText& entry : mainMenuTextTable())
        findChild<QAction*>(qs(entry.component))->setText(qs(entry.initial));
}

// ---- mirroring the design

void TF_Menu::controlAdded(const Control& control) {
    // A control put back by undo lies under those made after it, as it did before.
    const auto& controls = design_.controls();
    TJComponent* above = nullptr;
    if (!inBulkChange_ && controls.back().get() != &control) {
        std::size_t index = design_.indexOf(control);
        for (std::size_t next = index + 1; next < controls.size() && !above; ++next)
            above = controlWidget(*controls[next]);
    }
    TJComponent* widget =
        makeControlWidget(control, outline_, above ? above->parentWidget() : layerForNewControl());
    if (above)
        widget->stackUnder(above);
    connect(widget, &TJComponent::dragged, this, [this, widget](QPoint offset) {
        runCommand([&] {
            // Left first, then Top, as the control is moved by the offset of the drag.
            const Control& moved = widget->control();
            document_.moveControl(moved, movedBy(moved.left(), offset.x()),
                                  movedBy(moved.top(), offset.y()));
        });
    });
    connect(widget, &TJComponent::menuRequested, this,
            [this, widget](QPoint position) { openControlMenu(widget, position); });
    connect(widget, &TJComponent::doubleClicked, this,
            [this, widget] { runCommand([&] { ObjetoDblClick(widget); }); });
    widgets_[&control] = widget;
    if (inBulkChange_) {
        // Placed while hidden, and shown together at the end: moving many shown widgets
        // makes each move weigh the overlaps with all the others.
        waitingToShow_.emplace_back(widget);
        return;
    }
    widget->show();
    if (!above)
        widget->raise();
}

void TF_Menu::bulkChangeStarted() {
    inBulkChange_ = true;
}

void TF_Menu::bulkChangeFinished() {
    inBulkChange_ = false;
    // A child shown on a shown parent posts the parent a layout request, and Qt looks through
    // every posted event for one to merge it with: quadratic over a big design. Shown while their
    // layers are hidden, they post nothing.
    std::vector<QWidget*> hidden;
    for (QWidget* layer : layers_) {
        if (layer->isVisible()) {
            layer->hide();
            hidden.push_back(layer);
        }
    }
    for (const QPointer<TJComponent>& widget : waitingToShow_) {
        if (widget)
            widget->show();
    }
    waitingToShow_.clear();
    for (QWidget* layer : hidden)
        layer->show();
}

void TF_Menu::controlChanged(const Control& control, ControlField field) {
    if (TJComponent* widget = controlWidget(control))
        widget->mirror(field);
}

QWidget* TF_Menu::layerForNewControl() {
    // New controls go on the top layer only, so that the later ones always lie above.
    if (layers_.empty() || layers_.back()->children().size() >= controlsPerLayer) {
        auto* layer = new ControlLayer(this);
        layer->show();
        layers_.push_back(layer);
    }
    return layers_.back();
}

void TF_Menu::controlRemoved(const Control& control) {
    auto found = widgets_.find(&control);
    if (found == widgets_.end())
        return;
    QWidget* layer = found->second->parentWidget();
    delete found->second;
    widgets_.erase(found);
    if (layer->children().isEmpty()) {
        layers_.erase(std::find(layers_.begin(), layers_.end(), layer));
        delete layer;
    }
}

void TF_Menu::designCleared() {
    for (QWidget* layer : layers_)
        delete layer; // with its control widgets
    layers_.clear();
    widgets_.clear();
    waitingToShow_.clear();
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

TJComponent* TF_Menu::controlWidget(const Control& control) const {
    auto found = widgets_.find(&control);
    return found == widgets_.end() ? nullptr : found->second;
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
    QSize extra = frameGeometry().size() - geometry().size();
    if (extra != frameExtra_) {
        // The window manager has just put its frame around the window: keep the outer size.
        frameExtra_ = extra;
        applyWindowBounds();
        return;
    }
    // Only a change away from what the window was told to show is the user's: a size clamped
    // for the screen never goes back into the design.
    QRect outer = frameGeometry();
    applyingBounds_ = true;
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
    QScopeGuard done([this] { applyingBounds_ = false; });
    // Shortly after the window was told where to be, a change from the window system is the
    // window manager's answer, kept in the design but no step of the user's: as a step it would
    // drop what is left to redo.
    constexpr qint64 settleMilliseconds = 1000;
    if (fromWindowSystem && boundsApplied_.isValid() &&
        boundsApplied_.elapsed() < settleMilliseconds) {
        for (auto [field, value] : moved) {
            if (field == WindowField::Left)
                design_.setWindowLeft(value);
            else if (field == WindowField::Top)
                design_.setWindowTop(value);
            else if (field == WindowField::Width)
                design_.setWindowWidth(value);
            else
                design_.setWindowHeight(value);
        }
        return;
    }
    document_.setWindowBounds(moved);
}

void TF_Menu::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    recordWindowBounds(event->spontaneous());
}

void TF_Menu::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    for (QWidget* layer : layers_)
        layer->setGeometry(rect());
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
    document_.retranslate();
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
    outline_.erase(); // the menu takes the mouse: the drag's release would never come
    popMnu->popup(event->globalPos());
}

void TF_Menu::openControlMenu(TJComponent* control, QPoint globalPosition) {
    menuTarget_ = control;
    outline_.erase();
    popObj->popup(globalPosition);
}

void TF_Menu::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    outline_.erase();
}

void TF_Menu::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // Another window has the keyboard and may have the mouse: the release may never come here.
    if (event->type() == QEvent::ActivationChange && !isActiveWindow())
        outline_.erase();
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
    palette_->setWindowTitle(opc4->text());
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
    // The generator names the class in the design; that naming becomes a step of its own, also
    // when the generator then refuses the name.
    auto recordNaming = [&] {
        std::string named = design_.window().JavaClassName;
        if (named != className) {
            design_.setJavaClassName(className);
            document_.setWindowValue(WindowField::JavaClassName, named);
        }
    };
    GeneratedCode code;
    try {
        code = GeraClasseExemplo(design_, context, [this](const ClassNamePrompt& prompt) {
            std::optional<QString> answer =
                dialogs().askText(this, qs(prompt.title), qs(prompt.label), qs(prompt.initialValue),
                                  classNameMaxLength);
            return answer ? std::optional<std::string>(ss(*answer)) : std::nullopt;
        });
    } catch (...) {
        recordNaming();
        throw;
    }
    recordNaming();
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
    // The file is read and checked before the design is cleared: a bad file changes nothing.
    DesignFile file = readDesignFile(path.toStdString());
    if (file.controlCount() > maxOpenedControls)
        throw Error("Too many controls: the file has " + std::to_string(file.controlCount()) +
                    ", the designer shows at most " + std::to_string(maxOpenedControls));
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
    inspector_->selectName(menuTarget_->control().name());
    inspector_->showInspector();
    inspector_->cbObjetoChange();
}

void TF_Menu::obj2Click() {
    if (!menuTarget_)
        return;
    document_.deleteControl(menuTarget_->control()); // the inspector closes itself first
}

void TF_Menu::ObjetoDblClick(TJComponent* sender) {
    if (!InspectorOpen())
        return;
    inspector_->selectName(sender->control().name());
    inspector_->cbObjetoChange();
    inspector_->repaintNow();
}

} // namespace vap::ui
