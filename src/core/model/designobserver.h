#pragma once

namespace vap {

class Control;

enum class ControlField { Name, Caption, Hint, ShowHint, Left, Top, Width, Height, Tag };
enum class WindowField { Caption, Left, Top, Width, Height, Resizable, Modal, JavaClassName };

/**
 * Told of every real change of a Design, after it happened (removal and clearing: just before
 * the controls go, so that they can still be read). A window mirrors the design through these
 * calls instead of polling it. An observer may add or remove observers, itself included, while
 * it is told.
 */
class DesignObserver {
public:
    virtual ~DesignObserver() = default;
    virtual void controlAdded(const Control&) {}
    virtual void controlChanged(const Control&, ControlField) {}
    virtual void controlRemoved(const Control&) {}
    virtual void windowChanged(WindowField) {}
    /** Every control is about to be removed at once; controlRemoved is not sent for each. */
    virtual void designCleared() {}
    virtual void objectListChanged() {}
    /**
     * Many changes follow at once (a design file applied; controls pasted, deleted, put back or
     * given new bounds together); a view may wait for the end. Each is still told.
     */
    virtual void bulkChangeStarted() {}
    virtual void bulkChangeFinished() {}
};

} // namespace vap
