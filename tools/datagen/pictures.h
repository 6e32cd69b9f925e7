// SPDX-License-Identifier: MIT
// The two full-screen pictures, 640 x 480: the title (the game's name over a marble on a hilly
// board) and the calm background of the best-times screen.
#pragma once

#include <string>

#include "image.h"

constexpr int PictureWidth = 640;
constexpr int PictureHeight = 480;

// The 3D part of the title: sky, board and marble, without text. (title_scene.cpp)
Image renderTitleScene(const Image& boardTexture);

// The finished title with its name and hint; false if the font cannot be read. (title_picture.cpp)
bool renderTitlePicture(const std::string& fontPath, Image& out);

// The best-times background. (back_picture.cpp)
Image renderBackPicture();

// Writes title.bmp and back.bmp into the folder.
bool writePictures(const std::string& folder, const std::string& fontPath);
