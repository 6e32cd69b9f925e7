// SPDX-License-Identifier: MIT
// The start-up benchmark's reference: the least a game can do before its first frame. The same kind of
// window as the game's (640 x 480, hidden until shown, double-buffered GL compatibility context), then
// it is cleared to grey, or with --picture shows a 640 x 480 picture made in memory, until the process
// is ended. The picture tells what a first frame that draws costs beside one that only clears.
#include <GL/gl.h>
#include <SDL.h>

#include <cstring>
#include <vector>

int main(int argc, char** argv)
{
    const bool picture = argc > 1 && std::strcmp(argv[1], "--picture") == 0;
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER) != 0)
        return 1;
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    SDL_Window* window = SDL_CreateWindow("bare window", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, 640, 480,
                                          SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (window == nullptr)
        return 1;
    SDL_GLContext context = SDL_GL_CreateContext(window);
    if (context == nullptr || SDL_GL_MakeCurrent(window, context) != 0)
        return 1;
    SDL_ShowWindow(window);
    bool running = true;
    while (running) {
        SDL_Event e;
        while (SDL_PollEvent(&e)) {
            if (e.type == SDL_QUIT)
                running = false;
        }
        glClearColor(0.5f, 0.5f, 0.5f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        if (picture) {
            std::vector<unsigned char> pixels(640 * 480 * 3);
            for (size_t i = 0; i < pixels.size(); ++i)
                pixels[i] = static_cast<unsigned char>(64 + (i * 7) % 128);
            glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
            glDrawPixels(640, 480, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
        }
        SDL_GL_SwapWindow(window);
        SDL_Delay(5);
    }
    SDL_GL_DeleteContext(context);
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}
