// The run-time binding of the music library: loads libvbmp3.so and resolves its entries.
#include "sound/vbmp3wrap.h"

#include <SDL/SDL.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "common/random.h"
#include "common/runtally.h"

int VBMP3Wrap::LoadCount = 0;
void* VBMP3Wrap::Handle = nullptr;
VBMP3_INIT VBMP3Wrap::vbmp3_init = nullptr;
VBMP3_FREE VBMP3Wrap::vbmp3_free = nullptr;
VBMP3_OPEN VBMP3Wrap::vbmp3_open = nullptr;
VBMP3_CLOSE VBMP3Wrap::vbmp3_close = nullptr;
VBMP3_GETSTATE VBMP3Wrap::vbmp3_getState = nullptr;
VBMP3_PLAY VBMP3Wrap::vbmp3_play = nullptr;
VBMP3_STOP VBMP3Wrap::vbmp3_stop = nullptr;
VBMP3_SETFADEIN VBMP3Wrap::vbmp3_setFadeIn = nullptr;
VBMP3_SETFADEOUT VBMP3Wrap::vbmp3_setFadeOut = nullptr;
VBMP3_SETVBMP3OPTION VBMP3Wrap::vbmp3_setVbmp3Option = nullptr;
VBMP3_SETDECODEOPTION VBMP3Wrap::vbmp3_setDecodeOption = nullptr;
VBMP3_SETSOFTVOLUME VBMP3Wrap::vbmp3_setSoftVolume = nullptr;
VBMP3_GETSOFTVOLUME VBMP3Wrap::vbmp3_getSoftVolume = nullptr;
VBMP3_GETLASTERRORNO VBMP3Wrap::vbmp3_getLastErrorNo = nullptr;
VBMP3_ADVANCECLOCK VBMP3Wrap::vbmp3_advanceClock = nullptr;

namespace {

// The fourteen entries in the order they are resolved, each with the setter of its pointer.
struct Entry {
  const char* name;
  void (*assign)(void* function);
};

template <typename T, T* pointer>
void Assign(void* function) {
  *pointer = reinterpret_cast<T>(function);
}

const Entry ENTRIES[] = {
    {"vbmp3_init", Assign<VBMP3_INIT, &VBMP3Wrap::vbmp3_init>},
    {"vbmp3_free", Assign<VBMP3_FREE, &VBMP3Wrap::vbmp3_free>},
    {"vbmp3_open", Assign<VBMP3_OPEN, &VBMP3Wrap::vbmp3_open>},
    {"vbmp3_close", Assign<VBMP3_CLOSE, &VBMP3Wrap::vbmp3_close>},
    {"vbmp3_getState", Assign<VBMP3_GETSTATE, &VBMP3Wrap::vbmp3_getState>},
    {"vbmp3_play", Assign<VBMP3_PLAY, &VBMP3Wrap::vbmp3_play>},
    {"vbmp3_stop", Assign<VBMP3_STOP, &VBMP3Wrap::vbmp3_stop>},
    {"vbmp3_setFadeIn", Assign<VBMP3_SETFADEIN, &VBMP3Wrap::vbmp3_setFadeIn>},
    {"vbmp3_setFadeOut", Assign<VBMP3_SETFADEOUT, &VBMP3Wrap::vbmp3_setFadeOut>},
    {"vbmp3_setVbmp3Option", Assign<VBMP3_SETVBMP3OPTION, &VBMP3Wrap::vbmp3_setVbmp3Option>},
    {"vbmp3_setDecodeOption", Assign<VBMP3_SETDECODEOPTION, &VBMP3Wrap::vbmp3_setDecodeOption>},
    {"vbmp3_setSoftVolume", Assign<VBMP3_SETSOFTVOLUME, &VBMP3Wrap::vbmp3_setSoftVolume>},
    {"vbmp3_getSoftVolume", Assign<VBMP3_GETSOFTVOLUME, &VBMP3Wrap::vbmp3_getSoftVolume>},
    {"vbmp3_getLastErrorNo", Assign<VBMP3_GETLASTERRORNO, &VBMP3Wrap::vbmp3_getLastErrorNo>},
};

// The optional clock entry; a library without it still works, on wall-clock time.
const char* const CLOCK_ENTRY = "vbmp3_advanceClock";

// Folder of the running program, with a trailing slash, or empty when it cannot be read.
std::string ProgramFolder() {
  std::vector<char> path(4096);
  while (true) {
    const ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
    if (length < 0) return std::string();
    if (static_cast<size_t>(length) < path.size()) {
      const std::string full(path.data(), static_cast<size_t>(length));
      const size_t slash = full.rfind('/');
      return slash == std::string::npos ? std::string() : full.substr(0, slash + 1);
    }
    path.resize(path.size() * 2);
  }
}

// The working folder, with a trailing slash, or empty when it cannot be read.
std::string WorkingFolder() {
  std::vector<char> path(4096);
  while (getcwd(path.data(), path.size()) == nullptr) {
    if (path.size() > (1u << 20)) return std::string();
    path.resize(path.size() * 2);
  }
  return std::string(path.data()) + "/";
}

// Loads the library by absolute path (a bare name would go through the system search path
// instead): the program's folder first, then the working folder. Null when neither works.
void* LoadLibrary() {
  for (const std::string& folder : {ProgramFolder(), WorkingFolder()}) {
    if (folder.empty()) continue;
    void* handle = SDL_LoadObject((folder + VBMP3_LIBRARY_NAME).c_str());
    if (handle != nullptr) return handle;
  }
  return nullptr;
}

void ClearEntries() {
  for (const Entry& entry : ENTRIES) entry.assign(nullptr);
  VBMP3Wrap::vbmp3_advanceClock = nullptr;
}

// The library's own entries behind the ones the game calls: the game's calls are counted for the
// run summary, and every soft volume it asks for is scaled by the player's music volume.
struct LibraryEntries {
  VBMP3_INIT init = nullptr;
  VBMP3_OPEN open = nullptr;
  VBMP3_PLAY play = nullptr;
  VBMP3_STOP stop = nullptr;
  VBMP3_SETSOFTVOLUME setSoftVolume = nullptr;
};
LibraryEntries library;
int musicPercent = 100;
int askedLeft = 100, askedRight = 100;  // the soft volume the game last asked for

// Gives the library the player's share of the soft volume the game asked for.
int ApplyVolume() { return library.setSoftVolume(askedLeft * musicPercent / 100, askedRight * musicPercent / 100); }

int ScaledSetSoftVolume(int left, int right) {
  askedLeft = left;
  askedRight = right;
  QUORL_COMMON::Tally().MusicVolume(left, right);
  return ApplyVolume();
}

// The library starts a piece at full volume: at once scaled down to the player's share.
int ScaledInit() {
  const int result = library.init();
  if (musicPercent != 100) ApplyVolume();
  return result;
}

unsigned char CountedOpen(const char* path, VBMP3Info* info) {
  QUORL_COMMON::Tally().MusicOpen(path);
  return library.open(path, info);
}

int CountedPlay() {
  QUORL_COMMON::Tally().MusicPlay();
  return library.play();
}

int CountedStop() {
  QUORL_COMMON::Tally().MusicStop();
  return library.stop();
}

// Puts the counting and scaling entries in place of the library's.
void HookEntries() {
  library.init = VBMP3Wrap::vbmp3_init;
  library.open = VBMP3Wrap::vbmp3_open;
  library.play = VBMP3Wrap::vbmp3_play;
  library.stop = VBMP3Wrap::vbmp3_stop;
  library.setSoftVolume = VBMP3Wrap::vbmp3_setSoftVolume;
  VBMP3Wrap::vbmp3_init = ScaledInit;
  VBMP3Wrap::vbmp3_open = CountedOpen;
  VBMP3Wrap::vbmp3_play = CountedPlay;
  VBMP3Wrap::vbmp3_stop = CountedStop;
  VBMP3Wrap::vbmp3_setSoftVolume = ScaledSetSoftVolume;
}

}  // namespace

int VBMP3Wrap::Init() {
  Finalize();
  if (LoadCount == 0) {
    Handle = LoadLibrary();
    if (Handle == nullptr) return -1;
    for (const Entry& entry : ENTRIES) {
      void* function = SDL_LoadFunction(Handle, entry.name);
      entry.assign(function);
      if (function == nullptr) {
        SDL_UnloadObject(Handle);
        Handle = nullptr;
        ClearEntries();
        return -1;
      }
    }
    vbmp3_advanceClock = reinterpret_cast<VBMP3_ADVANCECLOCK>(SDL_LoadFunction(Handle, CLOCK_ENTRY));
    askedLeft = askedRight = 100;
    QUORL_COMMON::Tally().MusicLoaded();
    HookEntries();
    // Failed look-ups on the way (another folder, the optional entry) are no errors here.
    SDL_ClearError();
    // A run with a fixed seed must not depend on wall-clock time: the frame clock rules.
    if (QUORL_COMMON::IsSeedFixed()) AdvanceClock(0);
  }
  loaded = 1;
  ++LoadCount;
  return 0;
}

int VBMP3Wrap::Finalize() {
  if (loaded == 0) return 0;
  loaded = 0;
  if (--LoadCount == 0) {
    SDL_UnloadObject(Handle);
    Handle = nullptr;
    ClearEntries();
    library = LibraryEntries();
  }
  return 0;
}

void VBMP3Wrap::AdvanceClock(unsigned int milliseconds) {
  if (Handle != nullptr && vbmp3_advanceClock != nullptr) vbmp3_advanceClock(milliseconds);
}

void VBMP3Wrap::SetMusicVolume(int percent) {
  musicPercent = percent < 0 ? 0 : percent > 100 ? 100 : percent;
  if (Handle == nullptr) return;
  ApplyVolume();
}

int VBMP3Wrap::MusicVolume() { return musicPercent; }
