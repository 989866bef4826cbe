#pragma once

// Which of mpv's sound outputs a core tries, in order. Each output tried
// where it cannot work writes to the terminal from its own library, past
// any logging of ours (PipeWire's client without its configuration, ALSA
// without a sound card, once per retry while the sound is lost), so only
// those that can work here are tried. PulseAudio's is always tried: it is
// silent when it finds no server, and reaches PipeWire's server too.

#include <QByteArray>

namespace player {

struct SoundSystem
{
    bool pipeWireServer = false; // a PipeWire server's socket is there
    bool soundCards = false;     // the kernel has ALSA sound cards
};

// mpv's "ao" option for this sound system.
QByteArray soundOutputs(const SoundSystem &system);

// What this machine has now: PIPEWIRE_REMOTE or $XDG_RUNTIME_DIR/pipewire-0,
// and /dev/snd/controlC*.
SoundSystem soundSystemHere();

} // namespace player
