#include "designdocument.h"

#include "applanguage.h"
#include "errorbox.h"

#include "core/files/designfile.h"
#include "core/model/error.h"

#include <QAction>
#include <QElapsedTimer>
#include <QWidget>

#include <algorithm>
#include <string>

namespace vap::ui {

namespace {
// Steps kept in memory; a Clear or an Open keeps the whole design before (and after) it.
constexpr int historyLimit = 100;

/** The refusal of a design past the limit; `holding` says what would hold how many. */
[[noreturn]] void refuseTooManyControls(const std::string& holding) {
    throw Error("Too many controls: " + holding + ", the designer shows at most " +
                std::to_string(DesignDocument::maxControls));
}

qint64 nowInMilliseconds() {
    static QElapsedTimer clock = [] {
        QElapsedTimer started;
        started.start();
        return started;
    }();
    return clock.elapsed();
}
} // namespace

DesignDocument::DesignDocument(QObject* parent)
    : QObject(parent), undo_(new QAction(this)), redo_(new QAction(this)) {
    history_.setUndoLimit(historyLimit);
    undo_->setObjectName(QStringLiteral("undoStep"));
    redo_->setObjectName(QStringLiteral("redoStep"));
    undo_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    redo_->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    connect(undo_, &QAction::triggered, this, [this] { runCommand([this] { undo(); }); });
    connect(redo_, &QAction::triggered, this, [this] { runCommand([this] { redo(); }); });
    connect(&history_, &QUndoStack::indexChanged, this, &DesignDocument::showStepNames);
    connect(&history_, &QUndoStack::cleanChanged, this,
            [this](bool clean) { emit unsavedChanged(!clean); });
    showStepNames();
}

DesignDocument::~DesignDocument() {
    // The history clears itself as it goes, after the entries it would name.
    disconnect(&history_, nullptr, this, nullptr);
}

void DesignDocument::addUndoKeys(QWidget* window) {
    window->addAction(undo_);
    window->addAction(redo_);
}

void DesignDocument::addHistoryEntry(QAction* entry, bool redo, const Texts3& verb) {
    entries_.push_back({entry, redo, verb});
    connect(entry, &QAction::triggered, this,
            [this, redo] { runCommand([this, redo] { redo ? this->redo() : undo(); }); });
    showStepNames();
}

void DesignDocument::retranslate() {
    showStepNames();
}

void DesignDocument::undo() {
    emit historyStepStarting();
    history_.undo();
}

void DesignDocument::redo() {
    emit historyStepStarting();
    history_.redo();
}

void DesignDocument::showStepNames() {
    Language language = Lingua().language().value_or(Language::Portuguese);
    auto named = [&](const Texts3& verb, bool redo) {
        QString text = qs(verb.in(language));
        int index = redo ? history_.index() : history_.index() - 1;
        if (redo ? history_.canRedo() : history_.canUndo()) {
            auto* step = dynamic_cast<const DesignStep*>(history_.command(index));
            if (step)
                text += QLatin1Char(' ') + qs(stepName(step->step()).in(language));
        }
        return text;
    };
    auto show = [](QAction* action, const QString& text) {
        action->setText(text);
        action->setToolTip(text);
        action->setStatusTip(text);
    };
    // The keys stay live with nothing to take back: pressed mid-gesture, they still end it.
    show(undo_, named(undoText, false));
    show(redo_, named(redoText, true));
    std::erase_if(entries_, [](const HistoryEntry& entry) { return !entry.action; });
    for (const HistoryEntry& entry : entries_) {
        QAction* keys = entry.redo ? redo_ : undo_;
        show(entry.action, named(entry.verb, entry.redo) + QLatin1Char('\t') +
                               keys->shortcut().toString(QKeySequence::NativeText));
        entry.action->setEnabled(entry.redo ? history_.canRedo() : history_.canUndo());
    }
}

void DesignDocument::run(std::unique_ptr<DesignStep> step) {
    step->apply(); // a refused change throws here and never reaches the history
    history_.push(step.release());
}

void DesignDocument::checkRoomFor(std::size_t added, Step step) const {
    std::size_t total = design_.controls().size() + added;
    if (total <= maxControls)
        return;
    const char* adding = step == Step::Paste       ? "the paste would make "
                         : step == Step::Duplicate ? "the duplicate would make "
                                                   : "a new control would make ";
    refuseTooManyControls(adding + std::to_string(total));
}

void DesignDocument::createControl(ControlKind kind) {
    checkRoomFor(1, Step::CreateControl);
    run(std::make_unique<CreateControlStep>(design_, kind));
    emit controlCreated(design_.controls().back().get()); // a new control comes last
}

void DesignDocument::deleteControl(const Control& control) {
    run(std::make_unique<DeleteControlStep>(design_, control));
}

void DesignDocument::moveControl(const Control& control, std::int32_t left, std::int32_t top) {
    if (control.left() == left && control.top() == top)
        return;
    run(std::make_unique<ControlValuesStep>(
        design_, Step::MoveControl, control,
        std::vector<ControlValuesStep::Change>{{ControlField::Left, control.left(), left},
                                               {ControlField::Top, control.top(), top}},
        0));
}

namespace {
FieldValue valueOf(const Control& control, ControlField field) {
    switch (field) {
    case ControlField::Name:
        return control.name();
    case ControlField::Caption:
        return control.caption();
    case ControlField::Hint:
        return control.hint();
    case ControlField::ShowHint:
        return control.showHint();
    case ControlField::Left:
        return control.left();
    case ControlField::Top:
        return control.top();
    case ControlField::Width:
        return control.width();
    case ControlField::Height:
        return control.height();
    case ControlField::Tag:
        break;
    }
    return control.tag();
}

FieldValue valueOf(const DesignWindow& window, WindowField field) {
    switch (field) {
    case WindowField::Caption:
        return window.caption;
    case WindowField::JavaClassName:
        return window.JavaClassName;
    case WindowField::Resizable:
        return window.resizable;
    case WindowField::Modal:
        return window.modal;
    case WindowField::Left:
        return window.left;
    case WindowField::Top:
        return window.top;
    case WindowField::Width:
        return window.width;
    case WindowField::Height:
        break;
    }
    return window.height;
}
} // namespace

void DesignDocument::setControlValue(const Control& control, ControlField field, FieldValue value,
                                     int editKey) {
    FieldValue before = valueOf(control, field);
    if (before == value)
        return;
    Step step = field == ControlField::Tag ? Step::ControlEvents : Step::EditControl;
    run(std::make_unique<ControlValuesStep>(
        design_, step, control,
        std::vector<ControlValuesStep::Change>{{field, std::move(before), std::move(value)}},
        editKey));
}

void DesignDocument::rename(const Control& control, std::string name) {
    if (control.name() == name)
        return;
    design_.checkNameAvailable(name, &control);
    // The caption is kept too: it may follow the name, and must come back with it.
    std::string caption = control.caption();
    std::string followed = control.caption() == control.name() ? name : caption;
    run(std::make_unique<ControlValuesStep>(
        design_, Step::RenameControl, control,
        std::vector<ControlValuesStep::Change>{{ControlField::Name, control.name(), name},
                                               {ControlField::Caption, caption, followed}},
        0));
}

void DesignDocument::setWindowValue(WindowField field, FieldValue value) {
    FieldValue before = valueOf(design_.window(), field);
    if (before == value)
        return;
    Step step = Step::WindowBounds;
    if (field == WindowField::Caption)
        step = Step::WindowCaption;
    else if (field == WindowField::JavaClassName)
        step = Step::ClassName;
    else if (field == WindowField::Resizable)
        step = Step::Resizable;
    else if (field == WindowField::Modal)
        step = Step::Modal;
    run(std::make_unique<WindowValuesStep>(
        design_, step,
        std::vector<WindowValuesStep::Change>{{field, std::move(before), std::move(value)}}, -1));
}

void DesignDocument::setWindowBounds(
    const std::vector<std::pair<WindowField, std::int32_t>>& bounds) {
    std::vector<WindowValuesStep::Change> changes;
    for (auto [field, value] : bounds) {
        FieldValue before = valueOf(design_.window(), field);
        if (before != FieldValue(value))
            changes.push_back({field, std::move(before), value});
    }
    if (changes.empty())
        return;
    run(std::make_unique<WindowValuesStep>(design_, Step::WindowBounds, std::move(changes),
                                           nowInMilliseconds()));
}

void DesignDocument::setControlsBounds(const std::vector<std::pair<const Control*, Bounds>>& bounds,
                                       Step step, bool merge) {
    std::vector<const Control*> controls;
    controls.reserve(bounds.size());
    for (const auto& entry : bounds)
        controls.push_back(entry.first);
    std::vector<std::size_t> indices = design_.indicesOf(controls);
    std::vector<ControlsBoundsStep::Change> changes;
    for (std::size_t i = 0; i < bounds.size(); ++i) {
        Bounds before = boundsOf(*controls[i]);
        if (before != bounds[i].second)
            changes.push_back({indices[i], before, bounds[i].second});
    }
    if (changes.empty())
        return;
    std::sort(changes.begin(), changes.end(),
              [](const auto& a, const auto& b) { return a.index < b.index; });
    run(std::make_unique<ControlsBoundsStep>(design_, step, std::move(changes),
                                             merge ? nowInMilliseconds() : -1));
}

namespace {
Step stepOf(Arrangement arrangement) {
    switch (arrangement) {
    case Arrangement::AlignLeft:
        return Step::AlignLeft;
    case Arrangement::AlignRight:
        return Step::AlignRight;
    case Arrangement::AlignTop:
        return Step::AlignTop;
    case Arrangement::AlignBottom:
        return Step::AlignBottom;
    case Arrangement::AlignHorizontalCentres:
        return Step::AlignHorizontalCentres;
    case Arrangement::AlignVerticalCentres:
        return Step::AlignVerticalCentres;
    case Arrangement::SameWidth:
        return Step::SameWidth;
    case Arrangement::SameHeight:
        return Step::SameHeight;
    case Arrangement::DistributeHorizontally:
        return Step::DistributeHorizontally;
    case Arrangement::DistributeVertically:
        break;
    }
    return Step::DistributeVertically;
}
} // namespace

void DesignDocument::arrangeControls(const std::vector<const Control*>& selection,
                                     Arrangement arrangement) {
    design_.indicesOf(selection); // every one still the design's
    std::vector<Bounds> before;
    before.reserve(selection.size());
    for (const Control* control : selection)
        before.push_back(boundsOf(*control));
    std::vector<Bounds> after = arranged(arrangement, before);
    std::vector<std::pair<const Control*, Bounds>> bounds;
    bounds.reserve(selection.size());
    for (std::size_t i = 0; i < selection.size(); ++i)
        bounds.emplace_back(selection[i], after[i]);
    setControlsBounds(bounds, stepOf(arrangement));
}

void DesignDocument::deleteControls(const std::vector<const Control*>& controls, Step step) {
    if (controls.empty())
        return;
    run(std::make_unique<DeleteControlsStep>(design_, step, controls));
}

std::vector<const Control*> DesignDocument::pasteControls(std::vector<ControlData> controls,
                                                          Offset offset, Step step) {
    if (controls.empty())
        return {};
    checkRoomFor(controls.size(), step);
    auto paste = std::make_unique<PasteControlsStep>(design_, step, std::move(controls), offset);
    PasteControlsStep* made = paste.get();
    run(std::move(paste));
    return made->takeMade();
}

bool DesignDocument::lastStepCleared() const {
    const int last = history_.index() - 1;
    auto* step = last >= 0 ? dynamic_cast<const DesignStep*>(history_.command(last)) : nullptr;
    return step && step->step() == Step::Clear;
}

void DesignDocument::clear() {
    emit aboutToReplace();
    run(std::make_unique<ReplaceDesignStep>(design_, nullptr));
}

void DesignDocument::open(const DesignFile& file) {
    if (file.controlCount() > maxControls)
        refuseTooManyControls("the file has " + std::to_string(file.controlCount()));
    emit aboutToReplace();
    run(std::make_unique<ReplaceDesignStep>(design_, &file));
    markSaved();
}

} // namespace vap::ui
