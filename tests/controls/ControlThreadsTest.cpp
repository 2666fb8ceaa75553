// The editor drawing at its frame rate while a host thread sets parameters, switches
// programs and loads chunks, and the audio thread processes and feeds the meters. Run under
// TSan (label "threads"): every value the controls share across threads must be safe.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "GuiTestPlug.h"
#include "Strips.h"
#include "controls/ControlKnobHover.h"
#include "controls/ControlPeakMeter.h"
#include "controls/ControlSwitches.h"
#include "controls/ITextControl.h"

namespace {

using namespace std::chrono_literals;

TEST(ControlThreads, EditorHostAndAudioThreadsTogether) {
  Strip knobStrip(75, 75, 101), switchStrip(30, 20, 2), qStrip(90, 16, 3), meterStrip(100, 14, 101);
  GuiTestPlug plug;
  IGraphicsHeadless* editor = MakeEditor(&plug);
  editor->HandleMouseOver(true);
  editor->AttachControl(new ControlKnobHover(&plug, IRECT(10, 10, 85, 117), GuiTestPlug::kThreshold,
                                             knobStrip.Get(), 32, true));
  editor->AttachControl(new ControlKnobHover(&plug, IRECT(100, 10, 175, 117), GuiTestPlug::kMakeUp,
                                             knobStrip.Get(), 32, false));
  editor->AttachControl(
      new ISwitchControl(&plug, 10, 130, GuiTestPlug::kBypass, switchStrip.Get()));
  editor->AttachControl(new ControlQSwitch(&plug, 50, 130, GuiTestPlug::kQuality, qStrip.Get()));
  editor->AttachControl(
      new ICaptionControl(&plug, IRECT(150, 130, 250, 150), GuiTestPlug::kMode, IText()));
  editor->AttachControl(
      new ControlPeakMeter(&plug, IRECT(10, 160, 110, 174), meterStrip.Get(), &plug.mOutputMeter));
  editor->AttachControl(
      new ControlPeakMeter(&plug, IRECT(10, 180, 110, 194), meterStrip.Get(), &plug.mGainMeter));
  Attach(&plug, editor);

  vst2::AEffect* effect = plug.Effect();
  plug.Dispatch(vst2::effOpen);
  plug.Dispatch(vst2::effSetSampleRate, 0, 0, nullptr, 48000.0f);
  plug.Dispatch(vst2::effSetBlockSize, 0, 256);
  plug.Dispatch(vst2::effMainsChanged, 0, 1);

  std::atomic<bool> stop{false};
  std::thread audio([&] {
    std::vector<float> in(256), out0(256), out1(256);
    float* ins[2] = {in.data(), in.data()};
    float* outs[2] = {out0.data(), out1.data()};
    for (int block = 0; !stop.load(); ++block) {
      for (int i = 0; i < 256; ++i) in[i] = static_cast<float>((block + i) % 97) / 97.0f;
      effect->processReplacing(effect, ins, outs, 256);
      std::this_thread::sleep_for(1ms);
    }
  });
  std::thread host([&] {
    for (int i = 0; !stop.load(); ++i) {
      effect->setParameter(effect, i % GuiTestPlug::kNumParams, static_cast<float>(i % 11) / 10.0f);
      if (i % 50 == 0) plug.Dispatch(vst2::effSetProgram, 0, (i / 50) % GuiTestPlug::kNumPrograms);
      if (i % 80 == 0) {
        void* chunk = nullptr;
        const intptr_t size = plug.Dispatch(vst2::effGetChunk, 1, 0, &chunk);
        if (size > 0) {
          std::vector<char> copy(static_cast<const char*>(chunk),
                                 static_cast<const char*>(chunk) + size);
          plug.Dispatch(vst2::effSetChunk, 1, size, copy.data());
        }
      }
      std::this_thread::sleep_for(200us);
    }
  });

  // The editor thread: 25 frames a second for three seconds, with a drag and hovering now
  // and then.
  IMouseMod left(true, false), none;
  for (int frame = 0; frame < 75; ++frame) {
    if (frame % 10 == 0) {
      editor->OnMouseDown(40, 80, &left);
      editor->OnMouseDrag(40, 60, &left);
      editor->OnMouseUp(40, 60, &left);
      editor->OnMouseOver(130, 80, &none);
    }
    if (frame % 10 == 5) editor->OnMouseOver(200, 190, &none);
    editor->Tick();
    std::this_thread::sleep_for(40ms);
  }
  stop.store(true);
  audio.join();
  host.join();
  plug.Dispatch(vst2::effMainsChanged, 0, 0);
  EXPECT_GT(editor->NPresented(), 10);
  HostLog().take();
}

}  // namespace
