// The services of the program's own layers for a page: the notifier, the working folder and the
// drawing layer.
#pragma once

#include "printpage/print_page.h"

namespace orbisca {

// Services backed by the data and drawing layers; those of a layer that is not built stay empty
// (a line that needs one then fails with a message naming what is missing).
PageServices ProgramPageServices();

}  // namespace orbisca

namespace orbisca {

// Makes `folder` the working folder that script file names are taken from. False when this
// build has no working-folder support.
bool UsePageWorkingFolder(const QString& folder);

// Saves the canvas as a picture (format from the suffix) by replacing the file in one step.
// Throws std::runtime_error naming the file when it cannot be written.
void SavePageImage(const QImage& image, const QString& path);

}  // namespace orbisca
