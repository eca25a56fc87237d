// SPDX-License-Identifier: GPL-3.0-or-later
// The outline loader. Each showing of the compact window starts one; it builds the window's
// outline from "graphic\pyrA0.bmp" on its own thread, then hands the window operations (phase,
// face and frame picture, the one-pixel outline, the centring, the final outline, the timer) to
// the user-interface thread, which carries them out in order. Every step is logged to
// "Floading.log". A failure logs "ERROR!!!" and is reported on the user-interface thread with
// code 120.
#pragma once

#include <QString>
#include <atomic>
#include <thread>

namespace orbisca {

struct DataState;

class CompactWindow;

// The lines of "Floading.log" after the start line, in order.
inline constexpr const char* kLoaderWorkerSteps[] = {
    "freeontermainte=ok", "bitmapcreate=ok", "bitmapload pyrA0.bmp =ok", "bittorgn result=ok"};
inline constexpr const char* kLoaderWindowSteps[] = {
    "createrectrgn=ok",  "h<-rectrgn=ok",      "combinergn=ok",  "load pyr0.bmp=ok",
    "bitm<-pyr0/bmp=ok", "combine&set_rgn=ok", "mid_screen=ok",  "createrectrgn=ok",
    "lastcombine=ok",    "makepyrwindow=ok",   "enableTimer=ok", "terminate thread=ok"};

class OutlineLoader {
public:
    // Starts at once; the window keeps the object and does not wait for it.
    OutlineLoader(CompactWindow* window, DataState& data);
    // Stops the worker at its next step and joins it.
    ~OutlineLoader();
    OutlineLoader(const OutlineLoader&) = delete;
    OutlineLoader& operator=(const OutlineLoader&) = delete;

    void stop();
    // Waits for the worker to end by itself (its window steps are then queued on the UI thread).
    void wait();

private:
    void run();

    CompactWindow* window_;
    DataState& data_;
    std::atomic<bool> stopRequested_{false};
    std::thread thread_;
};

}  // namespace orbisca
