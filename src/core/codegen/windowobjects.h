#pragma once

#include "commenttexts.h"
#include "generatedcode.h"

namespace vap {

class Design;

/**
 * The window-objects code: declarations of the controls, the window's set-up and each control's
 * placement with an empty listener block per chosen event, handed to the sink line by line.
 * Captions, hints and the title are written as escaped Java string literals. Reads the design
 * and changes nothing. A control name that would break the Java (a reserved word, System, which
 * the example class calls, or the name of a generated scroll pane) throws vap::Error before any
 * line is given.
 */
void GeraObjetosJanela(const Design& design, const CommentTexts& comments, LineSink& sink);

/**
 * Refuses, with vap::Error, a control name whose Java would not compile alone or beside the
 * example class, as GeraObjetosJanela does before its first line.
 */
void checkWindowObjectNames(const Design& design);

/** The caption of the code window showing window-objects code, for codes 1 to 3. */
std::optional<std::string> windowObjectsCaption(LanguageCode lingua);

} // namespace vap
