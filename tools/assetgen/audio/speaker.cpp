// espeak-ng wrapper: one synchronous synthesis per call, collected through the callback.
#include "audio/speaker.h"

#include <espeak-ng/speak_lib.h>

#include <cstdio>
#include <mutex>
#include <vector>

namespace assetgen {

namespace {

std::mutex engineMutex;
std::vector<short>* collecting = nullptr;
int engineRate = 0;  // samples per second once started, -1 when the start failed

int Collect(short* wav, int count, espeak_EVENT*) {
  if (wav && count > 0 && collecting) collecting->insert(collecting->end(), wav, wav + count);
  return 0;  // 0 = go on
}

}  // namespace

int Speak(const std::string& text, const SpeechSettings& settings, Signal* out, int* rate) {
  std::lock_guard<std::mutex> lock(engineMutex);
  // The engine is started once and stays up: it cannot be restarted after espeak_Terminate
  // in synchronous mode. Every line sets all of its parameters, so lines stay independent.
  if (engineRate == 0) {
    engineRate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, 0);
    if (engineRate <= 0) engineRate = -1;
  }
  if (engineRate < 0) {
    fprintf(stderr, "assetgen: speech engine failed to start\n");
    return -1;
  }
  std::vector<short> pcm;
  collecting = &pcm;
  espeak_SetSynthCallback(Collect);
  int result = 0;
  if (espeak_SetVoiceByName(settings.voice.c_str()) != EE_OK) {
    fprintf(stderr, "assetgen: speech voice %s not found\n", settings.voice.c_str());
    result = -1;
  } else {
    espeak_SetParameter(espeakRATE, settings.rate, 0);
    espeak_SetParameter(espeakPITCH, settings.pitch, 0);
    espeak_SetParameter(espeakRANGE, settings.range, 0);
    if (espeak_Synth(text.c_str(), text.size() + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr, nullptr) != EE_OK ||
        pcm.empty()) {
      fprintf(stderr, "assetgen: speech synthesis failed for \"%s\"\n", text.c_str());
      result = -1;
    }
  }
  collecting = nullptr;
  if (result != 0) return -1;
  out->resize(pcm.size());
  for (size_t i = 0; i < pcm.size(); ++i) (*out)[i] = pcm[i] / 32768.0f;
  *rate = engineRate;
  return 0;
}

}  // namespace assetgen
