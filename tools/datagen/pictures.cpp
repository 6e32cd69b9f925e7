// SPDX-License-Identifier: MIT
// Writing the two full-screen pictures of the pack. The title is composed in title_picture.cpp,
// the background in back_picture.cpp.
#include "pictures.h"

#include "bmp_writer.h"

bool writePictures(const std::string& folder, const std::string& fontPath)
{
    Image title;
    return renderTitlePicture(fontPath, title) && writeBmp(folder + "/title.bmp", title) &&
        writeBmp(folder + "/back.bmp", renderBackPicture());
}
