#pragma once

#include "arrange.h"
#include "control.h"
#include "designobserver.h"
#include "designwindow.h"
#include "objectlist.h"

#include <array>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vap {

class DesignFile;

/** The default-name counters of the creation routines, one per kind. */
using KindCounters = std::array<std::int32_t, controlKindCount>;

/** Everything a design holds, as undo keeps it to put it back. */
struct DesignContents {
    DesignWindow window;
    std::vector<ControlData> controls; // in creation order
    KindCounters counters{};
};

/**
 * The design: the designed window, its controls in creation order, the object list, and the
 * per-kind counters and last-created controls of the creation routines. Every change goes through
 * an operation here, which keeps the name index and the object list in step and tells observers.
 * Operations that refuse a change throw vap::Error with the message the user reads, and change
 * nothing. Controls are passed as const references: only the design, which owns them, changes
 * them, and an operation given a control that is not (or no longer) its own throws instead.
 * Observers hear only of real changes: setting a value a field already holds tells nobody.
 */
class Design {
public:
    Design() = default;
    Design(const Design&) = delete;
    Design& operator=(const Design&) = delete;

    const DesignWindow& window() const { return window_; }
    const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }
    const ObjectList& objectList() const { return objectList_; }

    /**
     * The listed control with this name, case ignored, found in the object list; an empty name
     * finds nothing. Controls made unlisted are found once listed.
     */
    Control* findControl(std::string_view name) const;
    /** Whether the control is one of this design's, checked without reading it. */
    bool contains(const Control* control) const;

    std::int32_t kindCounter(ControlKind kind) const { return counters_[kindIndex(kind)]; }
    const KindCounters& kindCounters() const { return counters_; }
    /** Sets the default-name counters; a negative one throws. */
    void setKindCounters(const KindCounters& counters);

    /** The control's place in creation order; a control not of this design throws. */
    std::size_t indexOf(const Control& control) const;
    /**
     * The places in creation order of the controls, in the order given, found in one pass over
     * the design; a control not of this design throws.
     */
    std::vector<std::size_t> indicesOf(std::span<const Control* const> controls) const;
    DesignContents contents() const;
    /**
     * Replaces the window, the controls and the counters with the contents, all or nothing: the
     * names must be valid or empty, unique with case ignored and not the designer's own, and
     * the counters not negative. Observers hear of it as a clearing and one bulk change.
     */
    void replaceContents(const DesignContents& contents);
    /**
     * Puts back a control with these values at its place in creation order, listed, under the
     * same naming rules as a rename. An index past the end throws.
     */
    const Control& insertControl(std::size_t index, const ControlData& data);
    /**
     * Puts back many controls at once, all or nothing: each pair is the place in creation order
     * the control takes once all are in (ascending) and its values, under the naming rules.
     * Observers hear of each from the last place to the first, with every one already there, in
     * one bulk change.
     */
    std::vector<const Control*>
    insertControls(std::span<const std::pair<std::size_t, ControlData>> placed);

    /**
     * Adds copies of the controls after the others, all or nothing: each takes the next default
     * name of its kind that no control has, raising the kind's counter as a creation does; keeps
     * caption (or follows the new name where it equalled the old), hint, ShowHint, size and
     * events; and is moved by the offset, which stops at the ends of the 32-bit range for all
     * together. Gives the new controls in order. The values are taken over, not copied.
     * Observers hear of the new controls in one bulk change.
     */
    std::vector<const Control*> pasteControls(std::vector<ControlData> controls, Offset offset);

    // The designed window.
    void setCaption(std::string caption);
    void setWindowLeft(std::int32_t left);
    void setWindowTop(std::int32_t top);
    void setWindowWidth(std::int32_t width);
    void setWindowHeight(std::int32_t height);
    void setResizable(bool resizable);
    void setModal(bool modal);
    void setJavaClassName(std::string name);

    /**
     * Makes a control of the kind: raises the kind's counter, places it at (1, 40) with its
     * default size and ShowHint on; with `listing` on names it after the kind and the counter and
     * adds the name to the object list. A refused default name throws; the counter stays raised
     * and no control is made.
     */
    Control& createControl(ControlKind kind, bool listing);

    /**
     * Renames under the naming rules: a valid identifier or empty, unique among the listed
     * controls and the designer's own components with case ignored (a change of case alone is
     * allowed). While the caption equals the old name it follows the new one.
     */
    void rename(const Control& control, std::string newName);
    /** Throws the error a rename of `control` (nullptr: a new control) to `name` would meet. */
    void checkNameAvailable(std::string_view name, const Control* control) const;

    void setCaption(const Control& control, std::string caption);
    void setHint(const Control& control, std::string hint);
    void setShowHint(const Control& control, bool showHint);
    void setLeft(const Control& control, std::int32_t left);
    void setTop(const Control& control, std::int32_t top);
    void setWidth(const Control& control, std::int32_t width);
    void setHeight(const Control& control, std::int32_t height);
    void setTag(const Control& control, std::int32_t tag);
    /**
     * Sets the bounds of many controls, each field as its own setter would; all are checked to
     * be this design's first, in one pass, so that moving a large selection stays n log n.
     * Observers hear of the changes in one bulk change.
     */
    void setBounds(std::span<const std::pair<const Control*, Bounds>> bounds);

    /**
     * Destroys the control and refills the object list from the remaining controls. Observers
     * are told just before the control goes.
     */
    void deleteControl(const Control& control);
    /**
     * Destroys the controls at once, all or nothing (one not of this design throws first), and
     * refills the object list once. Observers are told of each, from the last created to the
     * first, before any goes, in one bulk change.
     */
    void deleteControls(std::span<const Control* const> controls);

    /**
     * Empties the object list, destroys every control and sets the counters to 0. The window's
     * caption, bounds, marks and class name stay. Observers hear of it before the controls go.
     */
    void clear();

    void addObserver(DesignObserver* observer);
    void removeObserver(DesignObserver* observer);

private:
    // The design-file loader checks a whole file's names at once, then uses these.
    template <class Created>
    friend void applyRecords(Design& design, const DesignFile& file, Created&& created);
    /**
     * Renames without checking, for a name the caller has checked already: valid, and free
     * among the other controls and the designer's own names. The design-file loader checks a
     * whole file's names at once and names what it makes this way.
     */
    void renameChecked(const Control& control, std::string newName);
    /** Adds the controls' names to the object list at once (the loader lists what it made). */
    void listControls(std::span<Control* const> controls);

    /** Makes room for this many more controls, so that a large load does not grow the storage. */
    void reserveControls(std::size_t count);

    /** Tells observers that many changes follow, until the matching end. */
    void beginBulkChange();
    void endBulkChange();
    /** A bulk change for as long as it lives, ended however the change ends. */
    class BulkChange {
    public:
        explicit BulkChange(Design& design) : design_(design) { design_.beginBulkChange(); }
        ~BulkChange() { design_.endBulkChange(); }
        BulkChange(const BulkChange&) = delete;
        BulkChange& operator=(const BulkChange&) = delete;

    private:
        Design& design_;
    };

    template <class Call> void notify(Call call);
    std::unique_ptr<Control> makeControl(ControlData data);
    Control& owned(const Control& control) const;
    template <class Member, class Value>
    void setControlField(const Control& control, Member member, Value value, ControlField field);
    template <class Member, class Value>
    void setWindowField(Member member, Value value, WindowField field);
    void rebuildObjectList();
    void notifyObjectListChanged();

    DesignWindow window_;
    std::vector<std::unique_ptr<Control>> controls_;
    ObjectList objectList_;
    KindCounters counters_{};
    std::vector<DesignObserver*> observers_;
    std::uint64_t removals_ = 0; // raised whenever controls go, so that a long change sees it
};

} // namespace vap
