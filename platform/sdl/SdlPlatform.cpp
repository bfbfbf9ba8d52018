// platform/sdl/SdlPlatform.cpp — the SDL2 back-end (being written).
