#include "fmenu.h"

#include "adjusterport.h"
#include "applanguage.h"
#include "controllook.h"
#include "dialogs.h"
#include "errorbox.h"
#include "facertaling.h"
#include "fcriaobjeto.h"
#include "fgera.h"
#include "fsobre.h"
#include "fsplash.h"
#include "pictures.h"
#include "tjcomponent.h"

#include "core/codegen/exampleclass.h"
#include "core/codegen/windowobjects.h"
#include "core/files/designfile.h"
#include "core/lang/datetext.h"
#include "core/model/design.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPaintEvent>
#include <QScreen>

#include <algorithm>
#include <cstdint>

namespace vap::ui {

namespace {
constexpr Texts3 captionTitle{"Janela Principal", "Main window", "Ventana principal"};
constexpr Texts3 captionPrompt{
    "Informe a Legenda:", "Report the Caption:", "Informe el Subtítulo:"};
constexpr int classNameMaxLength = 255;
} // namespace

TF_Menu::TF_Menu(Design& design, QWidget* parent)
    : QWidget(parent), design_(design), outline_(this) {
    setObjectName(QStringLiteral("F_Menu"));
    setWindowIcon(programIcon());
    QPalette grey = palette();
    grey.setColor(QPalette::Window, designGrey);
    setPalette(grey);
    setAutoFillBackground(true);
    buildMenus();
    setWindowTitle(qs(design_.window().caption));
    resize(design_.window().width, design_.window().height);
    design_.addObserver(this);
    for (const auto& control : design_.controls())
        controlAdded(*control);
}

TF_Menu::~TF_Menu() {
    design_.removeObserver(this);
}

QAction* TF_Menu::addEntry(QMenu* menu, const char* name, const QString& caption, const QIcon& icon,
                           void (TF_Menu::*handler)()) {
    QAction* action = menu->addAction(icon, caption);
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
    opc1 = addEntry(popMnu, "opc1", QStringLiteral("&Linguagem"), menuPicture(11),
                    &TF_Menu::opc1Click);
    N1 = addSeparator(popMnu, "N1");
    opc2 =
        addEntry(popMnu, "opc2", QStringLiteral("&Caption"), menuPicture(1), &TF_Menu::opc2Click);

    auto* formats = new QMenu(popMnu);
    formats->setObjectName(QStringLiteral("opc3Menu"));
    opc3 = popMnu->addMenu(formats);
    opc3->setObjectName(QStringLiteral("opc3"));
    opc3->setText(QStringLiteral("&Formatos"));
    opc3->setIcon(menuPicture(2));
    opc31 = addEntry(formats, "opc31", QStringLiteral("Redimensionável"), menuPicture(7),
                     &TF_Menu::opc31Click);
    opc32 =
        addEntry(formats, "opc32", QStringLiteral("Modal"), menuPicture(8), &TF_Menu::opc32Click);
    opc31->setCheckable(true);
    opc32->setCheckable(true);

    opc4 = addEntry(popMnu, "opc4", QStringLiteral("Criar &Objetos"), menuPicture(3),
                    &TF_Menu::opc4Click);
    N2 = addSeparator(popMnu, "N2");

    auto* generate = new QMenu(popMnu);
    generate->setObjectName(QStringLiteral("opc5Menu"));
    opc5 = popMnu->addMenu(generate);
    opc5->setObjectName(QStringLiteral("opc5"));
    opc5->setText(QStringLiteral("&Gerar"));
    opc5->setIcon(menuPicture(0));
    opc51 = addEntry(generate, "opc51", QStringLiteral("&Objetos da Janela"), menuPicture(10),
                     &TF_Menu::opc51Click);
    opc52 = addEntry(generate, "opc52", QStringLiteral("Classe &Exemplo"), menuPicture(9),
                     &TF_Menu::opc52Click);

    opc6 = addEntry(popMnu, "opc6", QStringLiteral("&Abrir"), menuPicture(12), &TF_Menu::opc6Click);
    opc7 =
        addEntry(popMnu, "opc7", QStringLiteral("&Salvar"), menuPicture(13), &TF_Menu::opc7Click);
    opc8 =
        addEntry(popMnu, "opc8", QStringLiteral("&Limpar"), menuPicture(14), &TF_Menu::opc8Click);
    N3 = addSeparator(popMnu, "N3");
    Criador = addEntry(popMnu, "Criador", QStringLiteral("© Orvalhan"), menuPicture(5),
                       &TF_Menu::CriadorClick);
    Versao = addEntry(popMnu, "Versao", QStringLiteral("Dez 2000 - Versão 0.4"), menuPicture(6),
                      &TF_Menu::VersaoClick);
    N4 = addSeparator(popMnu, "N4");
    opcSair = addEntry(popMnu, "opcSair", QStringLiteral("&Sair"), menuPicture(4),
                       &TF_Menu::opcSairClick);

    popObj = new QMenu(this);
    popObj->setObjectName(QStringLiteral("popObj"));
    obj1 = addEntry(popObj, "obj1", QStringLiteral("&Ajusta Objeto"), objectMenuPicture(0),
                    &TF_Menu::obj1Click);
    obj2 = addEntry(popObj, "obj2", QStringLiteral("&Excluir"), objectMenuPicture(1),
                    &TF_Menu::obj2Click);
}

// ---- mirroring the design

void TF_Menu::controlAdded(const Control& control) {
    TJComponent* widget = makeControlWidget(control, outline_, this);
    connect(widget, &TJComponent::dragged, this, [this, widget](QPoint offset) {
        runCommand([&] {
            // Left first, then Top, as the control is moved by the offset of the drag; a
            // position at the end of the 32-bit range stays there.
            auto by = [](std::int32_t value, int offset) {
                return static_cast<std::int32_t>(
                    std::clamp<std::int64_t>(std::int64_t{value} + offset, INT32_MIN, INT32_MAX));
            };
            const Control& moved = widget->control();
            design_.setLeft(moved, by(moved.left(), offset.x()));
            design_.setTop(moved, by(moved.top(), offset.y()));
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
    widget->raise();
}

void TF_Menu::bulkChangeStarted() {
    inBulkChange_ = true;
}

void TF_Menu::bulkChangeFinished() {
    inBulkChange_ = false;
    for (const QPointer<TJComponent>& widget : waitingToShow_) {
        if (widget) {
            widget->show();
            widget->raise();
        }
    }
    waitingToShow_.clear();
}

void TF_Menu::controlChanged(const Control& control, ControlField field) {
    if (TJComponent* widget = controlWidget(control))
        widget->mirror(field);
}

void TF_Menu::controlRemoved(const Control& control) {
    auto found = widgets_.find(&control);
    if (found == widgets_.end())
        return;
    delete found->second;
    widgets_.erase(found);
}

void TF_Menu::designCleared() {
    for (auto& [control, widget] : widgets_)
        delete widget;
    widgets_.clear();
}

void TF_Menu::windowChanged(WindowField field) {
    const DesignWindow& window = design_.window();
    switch (field) {
    case WindowField::Caption:
        setWindowTitle(qs(window.caption));
        break;
    case WindowField::Left:
    case WindowField::Top:
    case WindowField::Width:
    case WindowField::Height:
        applyWindowBounds();
        break;
    case WindowField::Resizable:
        opc31->setChecked(window.resizable);
        break;
    case WindowField::Modal:
        opc32->setChecked(window.modal);
        break;
    case WindowField::JavaClassName:
        break;
    }
}

TJComponent* TF_Menu::controlWidget(const Control& control) const {
    auto found = widgets_.find(&control);
    return found == widgets_.end() ? nullptr : found->second;
}

// ---- the designed window's bounds: the design holds the outer bounds, frame included

void TF_Menu::applyWindowBounds() {
    if (applyingBounds_)
        return;
    applyingBounds_ = true;
    const DesignWindow& window = design_.window();
    move(window.left, window.top);
    resize(std::max(1, window.width - frameExtra_.width()),
           std::max(1, window.height - frameExtra_.height()));
    applyingBounds_ = false;
}

void TF_Menu::recordWindowBounds() {
    if (applyingBounds_ || !isVisible())
        return;
    QSize extra = frameGeometry().size() - geometry().size();
    if (extra != frameExtra_) {
        // The window manager has just put its frame around the window: keep the outer size.
        frameExtra_ = extra;
        applyWindowBounds();
        return;
    }
    QRect outer = frameGeometry();
    const DesignWindow& window = design_.window();
    applyingBounds_ = true;
    if (window.left != outer.x())
        design_.setWindowLeft(outer.x());
    if (window.top != outer.y())
        design_.setWindowTop(outer.y());
    if (window.width != outer.width())
        design_.setWindowWidth(outer.width());
    if (window.height != outer.height())
        design_.setWindowHeight(outer.height());
    applyingBounds_ = false;
}

void TF_Menu::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    recordWindowBounds();
}

void TF_Menu::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    recordWindowBounds();
}

void TF_Menu::centreOnScreen() {
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect available = screen->availableGeometry();
    const DesignWindow& window = design_.window();
    design_.setWindowLeft(available.x() + (available.width() - window.width) / 2);
    design_.setWindowTop(available.y() + (available.height() - window.height) / 2);
}

// ---- language texts

void TF_Menu::applyLanguageTexts() {
    const MainWindowTexts& texts = appLanguage().mainWindow;
    for (const MenuEntryText& entry : mainMenuTextTable()) {
        if (auto* action = findChild<QAction*>(qs(entry.component)))
            action->setText(qs(texts.menuCaption(entry.component)));
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
    if (shownOnce_)
        return;
    shownOnce_ = true;
    runCommand([this] { FormShow(); });
}

void TF_Menu::FormShow() {
    opc8Click();
    appLanguage().Lingua = readLanguage_ ? readLanguage_() : 1;
    AplicaLingua(appLanguage());
    applyLanguageTexts();
    composeCaptions();
    // The splash goes over the main window, so it waits until the window is on the screen.
    auto showSplash = [this] { runCommand([this] { VersaoClick(); }); };
    if (paintedOnce_)
        QMetaObject::invokeMethod(this, showSplash, Qt::QueuedConnection);
    else
        connect(this, &TF_Menu::firstPainted, this, showSplash,
                static_cast<Qt::ConnectionType>(Qt::QueuedConnection | Qt::SingleShotConnection));
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
    popMnu->popup(event->globalPos());
}

void TF_Menu::openControlMenu(TJComponent* control, QPoint globalPosition) {
    menuTarget_ = control;
    popObj->popup(globalPosition);
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
    composeCaptions();
}

void TF_Menu::opc2Click() {
    auto language = languageOf(Lingua());
    if (!language)
        return;
    QString preset = qs(design_.window().caption);
    std::optional<QString> caption = dialogs().askText(this, qs(captionTitle.in(*language)),
                                                       qs(captionPrompt.in(*language)), preset, 0);
    design_.setCaption(ss(caption.value_or(preset)));
}

void TF_Menu::opc31Click() {
    design_.setResizable(!design_.window().resizable);
}

void TF_Menu::opc32Click() {
    design_.setModal(!design_.window().modal);
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
    F_Gera.fill(GeraObjetosJanela(design_, F_Gera.comments(), Lingua()));
    dialogs().runModal(&F_Gera);
}

void TF_Menu::opc52Click() {
    TF_Gera F_Gera;
    const LanguageState& language = appLanguage();
    ExampleClassContext context{language.Lingua, language.NomeProduto, language.TextoVersao,
                                F_Gera.comments(), todayText()};
    GeneratedCode code = GeraClasseExemplo(design_, context, [this](const ClassNamePrompt& prompt) {
        std::optional<QString> answer = dialogs().askText(
            this, qs(prompt.title), qs(prompt.label), qs(prompt.initialValue), classNameMaxLength);
        return answer ? std::optional<std::string>(ss(*answer)) : std::nullopt;
    });
    F_Gera.fill(code);
    if (!code.lines.empty())
        dialogs().runModal(&F_Gera);
}

void TF_Menu::opc6Click() {
    const MainWindowTexts& texts = appLanguage().mainWindow;
    QString path = dialogs().chooseOpenFile(
        this, FileDialogTexts{qs(texts.openTitle), qs(texts.openFilter), QStringLiteral("vap")});
    if (path.isEmpty())
        return;
    // The file is read and checked before the design is cleared: a bad file changes nothing.
    DesignFile file = readDesignFile(path.toStdString());
    opc8Click();
    applyDesignFile(design_, file);
}

void TF_Menu::opc7Click() {
    const MainWindowTexts& texts = appLanguage().mainWindow;
    QString path = dialogs().chooseSaveFile(
        this, FileDialogTexts{qs(texts.saveTitle), qs(texts.saveFilter), QStringLiteral("vap")});
    if (path.isEmpty())
        return;
    GravaJanela(design_, path.toStdString());
}

void TF_Menu::opc8Click() {
    design_.clear(); // the inspector closes itself as the controls go
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
    design_.deleteControl(menuTarget_->control()); // the inspector closes itself first
}

void TF_Menu::ObjetoDblClick(TJComponent* sender) {
    if (!InspectorOpen())
        return;
    inspector_->selectName(sender->control().name());
    inspector_->cbObjetoChange();
    inspector_->repaintNow();
}

} // namespace vap::ui
