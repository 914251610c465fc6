#pragma once

#include "texts3.h"

namespace vap {

/** Asked at start when the last run left a recovery copy; Yes brings the design back. */
inline constexpr Texts3 recoveryQuestion{
    "O programa não foi encerrado normalmente da última vez, e a janela tinha alterações não "
    "salvas. Deseja recuperá-la ?",
    "The program did not end normally last time, and the window had unsaved changes. Do you want "
    "to recover it ?",
    "El programa no terminó normalmente la última vez, y la ventana tenía cambios sin guardar. "
    "¿Desea recuperarla ?"};

/** Asked at start for a copy kept by a normal exit with changes unsaved; Yes brings it back. */
inline constexpr Texts3 exitRecoveryQuestion{
    "A janela tinha alterações não salvas quando o programa foi encerrado da última vez. Deseja "
    "recuperá-la ?",
    "The window had unsaved changes when the program last ended. Do you want to recover it ?",
    "La ventana tenía cambios sin guardar cuando el programa terminó la última vez. ¿Desea "
    "recuperarla ?"};

/**
 * The buttons of those questions, in the question's language whatever Qt's own texts are (a
 * setting that could not be read leaves them English).
 */
inline constexpr Texts3 recoveryYes{"&Sim", "&Yes", "&Sí"};
inline constexpr Texts3 recoveryNo{"&Não", "&No", "&No"};

/** Put before the reason when the recovery copy cannot be written or removed. */
inline constexpr Texts3 recoveryCopyFailed{
    "Falha na cópia de recuperação; salve a janela num arquivo",
    "The recovery copy failed; save the window to a file",
    "Falló la copia de recuperación; guarde la ventana en un archivo"};

} // namespace vap
