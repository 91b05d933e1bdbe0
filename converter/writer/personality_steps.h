// The personality files that a written group names besides its own analyser personality.
// Each step raises IOERROR: IOERROR::kCannotCreateDirectory for the "person" folder of the
// destination folder, IOERROR::kCannotWriteFile for a file.
#ifndef KALVEX_WRITER_PERSONALITY_STEPS_H
#define KALVEX_WRITER_PERSONALITY_STEPS_H

#include <string>

namespace kalvex {

class LineWriter;
class ProjectConverter;
class ProjectGroup;

// The SubsPers= value: the supplied message personality, else the file named after the project
// with the extension ".p_s" in the destination folder's "person" folder, created empty.
std::string resolveMessagePersonality(ProjectGroup& group);
// The CompPers= value: the supplied compiler personality, else the file named after the project
// with the extension ".p_c" in the destination folder's "person" folder, created empty.
std::string resolveCompilerPersonality(ProjectGroup& group);
// Creates the analyser personality that groups without includes and defines share, as a copy
// of the user's analyser personality (empty when none is supplied).
void createProjectAnalyserPersonality(ProjectGroup& group, const std::string& path);
// Appends the user's analyser personality, if one is supplied; prints "Couldnt open file"
// when it cannot be read.
void appendUserAnalyserPersonality(ProjectConverter& converter, LineWriter& out);

}  // namespace kalvex

#endif
