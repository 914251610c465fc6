#include "recoveryoffer.h"

#include "applanguage.h"
#include "dialogs.h"
#include "errorbox.h"
#include "recoverycopy.h"

#include "core/lang/language.h"
#include "core/lang/recoverytexts.h"
#include "core/model/error.h"

namespace vap::ui {

void offerLeftCopies(RecoveryCopy& recovery, QWidget* parent,
                     const std::function<void(DesignFile)>& open) {
    const Language language = Lingua().language().value_or(Language::Portuguese);
    std::vector<LeftCopy> copies = recovery.takeLeftCopies();
    for (LeftCopy& copy : copies) {
        const Texts3& question =
            copy.leftBy() == LeftBy::Exit ? exitRecoveryQuestion : recoveryQuestion;
        Answer answer = dialogs().askYesNoOrLater(
            parent, {qs(productName.in(language)), qs(question.in(language)),
                     qs(recoveryYes.in(language)), qs(recoveryNo.in(language))});
        if (answer == Answer::Later)
            return; // the copies still held go back to the folder as they are
        if (answer == Answer::No) {
            recovery.remove(std::move(copy));
            continue;
        }
        try {
            open(recovery.read(copy));
        } catch (const Error& error) {
            recovery.setAside(std::move(copy));
            showErrorBox(QString::fromStdString(error.what()));
            continue;
        }
        recovery.adopt(std::move(copy));
        return; // one design at a time: the others wait for the next start
    }
}

} // namespace vap::ui
