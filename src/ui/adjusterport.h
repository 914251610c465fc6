#pragma once

#include <functional>
#include <string>

namespace vap::ui {

/** What the main window's commands ask of the object inspector; the inspector window provides it.
 */
class AdjusterPort {
public:
    virtual ~AdjusterPort() = default;
    /** Selects the name in the object list, case ignored; nothing is selected when it is absent. */
    virtual void selectName(const std::string& name) = 0;
    /** Shows the inspector without making it modal, or brings it to the front. */
    virtual void showInspector() = 0;
    /** Loads the selected control's values into the inspector. */
    virtual void cbObjetoChange() = 0;
    virtual void repaintNow() = 0;
    virtual void closeInspector() = 0;
    /** True while the inspector is open: opened by Adjust object and not closed since. */
    virtual bool isOpen() const = 0;
    /** Runs with the control's name whenever the inspector comes to show a control. */
    virtual void setShownControlListener(std::function<void(const std::string&)> listener) = 0;
};

} // namespace vap::ui
