#include "platform/sdl/sdl_mixer_device.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdio>

namespace kv {

namespace {
int g_users = 0;
}

bool AcquireMixer() {
    if (g_users > 0) {
        ++g_users;
        return true;
    }
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        std::fprintf(stderr, "SDL audio: %s\n", SDL_GetError());
        return false;
    }
    Mix_Init(MIX_INIT_OGG);
    if (Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) != 0) {
        std::fprintf(stderr, "SDL_mixer: %s\n", Mix_GetError());
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    g_users = 1;
    return true;
}

void ReleaseMixer() {
    if (g_users == 0) return;
    if (--g_users > 0) return;
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

}  // namespace kv
