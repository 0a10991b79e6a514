#pragma once
// What is wrong with a set-up, settings or printout file, in the language in use.
#include <QCoreApplication>
#include <QString>

#include "storage/file_outcome.h"

namespace mmx {

class FileProblemWords {
    Q_DECLARE_TR_FUNCTIONS(FileProblemWords)

public:
    // "line 12: "maybe" is not True, False or a number", or the problem alone.
    static QString reason(const FileOutcome& outcome);
};

}  // namespace mmx
