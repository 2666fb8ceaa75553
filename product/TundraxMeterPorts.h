// The meters as LV2 control outputs, in port order after the parameters. The plug-in writes
// them (TundraxLV2) and its UI shows them (TundraxLV2UI):
// - "gain_reduction": the compressor's gain reduction in dB, 0 when it does nothing; the meter
//   shows it above its minimum level;
// - "output_level": the output meter's displayed level in dB, -48 to 0.
#pragma once

enum ETundraxMeterPort { kGainReductionPort = 0, kOutputLevelPort, kNumMeterPorts };
