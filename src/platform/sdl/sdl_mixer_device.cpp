#include "platform/sdl/sdl_mixer_device.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdio>
#include <string>

namespace kv {

namespace {

int g_users = 0;
bool g_unavailable = false;

bool NoDevice(const std::string& reason) {
    g_unavailable = true;
    std::fprintf(stderr, "no sound device: %s; the game runs silent\n", reason.c_str());
    return false;
}

}  // namespace

bool AcquireMixer() {
    if (g_users > 0) {
        ++g_users;
        return true;
    }
    // Music, sound effects and every video would each ask again, and be told the same again.
    if (g_unavailable) return false;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return NoDevice(SDL_GetError());
    Mix_Init(MIX_INIT_OGG);
    if (Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) != 0) {
        const std::string reason = Mix_GetError();
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return NoDevice(reason);
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

void ForgetMixerFailure() {
    g_unavailable = false;
}

}  // namespace kv
