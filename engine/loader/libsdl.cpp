#include "engine/loader/libsdl.h"

ZARVELO_STUB_UNIT(ZARVELO_SDL_EXPORTS, sdl, SDL, )
