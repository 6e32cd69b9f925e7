// SPDX-License-Identifier: MIT
// The texture list, the supersampling renderer and the writer of every texture's mipmap files.
// The painters themselves live in textures_natural.cpp and textures_built.cpp.
#include "textures.h"

#include "bmp_writer.h"

const std::vector<BoardTexture>& boardTextures()
{
    static const std::vector<BoardTexture> list = {
        {"grass", paintGrass}, {"sand", paintSand}, {"ice", paintIce},     {"tiles", paintTiles},
        {"lava", paintLava},   {"moss", paintMoss}, {"metal", paintMetal}, {"heather", paintHeather},
        {"slate", paintSlate}, {"peat", paintPeat},
    };
    return list;
}

Image renderTexture(TexturePainter paint, int size, int supersample)
{
    Image image(size, size);
    const float step = 1.0f / static_cast<float>(size * supersample);
    const float weight = 1.0f / static_cast<float>(supersample * supersample);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            Rgb sum;
            for (int sy = 0; sy < supersample; ++sy) {
                for (int sx = 0; sx < supersample; ++sx) {
                    float u = (static_cast<float>(x * supersample + sx) + 0.5f) * step;
                    float v = (static_cast<float>(y * supersample + sy) + 0.5f) * step;
                    sum = add(sum, paint(u, v));
                }
            }
            image.set(x, y, scale(sum, weight));
        }
    }
    return image;
}

bool writeBoardTextures(const std::string& folder)
{
    for (const BoardTexture& texture : boardTextures()) {
        Image base = renderTexture(texture.paint, BoardTextureSize, 2);
        if (!writeMipBmps(folder + "/" + texture.name, base, BoardTextureMipLevels)) {
            return false;
        }
    }
    return true;
}
