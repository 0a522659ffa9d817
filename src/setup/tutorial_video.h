#pragma once

#include <QString>

namespace tavrel {

// Which file a tutorial row's link names, and whether it may be opened. A link comes from a data
// file anyone can edit, so it is opened only when it names an existing file inside the data
// folder (no ".." step, no absolute path, no link leading out of it) that the desktop shows as
// a video, a sound, a picture, a PDF or a page, never a program.
struct VideoTutorial {
    enum class Estado { Pode, NaoEncontrado, Recusado };
    Estado estado = Estado::Recusado;
    QString path;   // the file in the data folder
    QString razao;  // why it cannot be opened, for the operator
};

// `link` as the tutorial table holds it, relative to the data folder; Windows separators ("\")
// are read as folder separators.
VideoTutorial videoTutorial(const QString& dataFolder, const QString& link);

}  // namespace tavrel
