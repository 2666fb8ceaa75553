#pragma once
// The kick processor's DSP objects written plainly, equation for equation, with no shortcut
// and no guard: the yardstick the real objects must match bit for bit wherever they are fed
// valid settings and finite samples.

#include <algorithm>
#include <cmath>

namespace ref {

constexpr double kTiny = 1.175494351e-38;

inline double Flush(double v) {
  if ((0 < v && v < kTiny) || (-kTiny < v && v < 0)) {
    v = 0;
  }
  return v;
}

struct PeakFilter {
  // ln(2)/2 rounded to single precision; a field only so that one test can change it.
  double lnTwoHalf = 0.3465735912322998;
  double sampleRate = 44100;
  double frequency = 1000;
  double quality = 0.707;
  double gain = 0;
  bool bypass = false;
  double a1 = 0, a2 = 0, b0 = 0, b1 = 0, b2 = 0;
  double left[4] = {0, 0, 0, 0};  // x1, x2, y1, y2
  double right[4] = {0, 0, 0, 0};

  void SetSampleRate(double fs) {
    sampleRate = fs;
    for (int i = 0; i < 4; ++i) {
      left[i] = 0;
      right[i] = 0;
    }
    CalculateCoefficients();
  }
  void SetFrequency(double f) {
    frequency = f;
    CalculateCoefficients();
  }
  void SetQ(double q) {
    quality = q;
    CalculateCoefficients();
  }
  void SetGain(double g) {
    gain = g;
    CalculateCoefficients();
  }
  void SetBypass(bool b) { bypass = b; }

  void CalculateCoefficients() {
    double w0 = (frequency * 6.283185307179586) / sampleRate;
    double s = std::sinh((1 / quality) * lnTwoHalf);
    double qp = 1 / (s + s);
    double alpha = std::sin(w0) / (qp + qp);
    double A = std::pow(10.0, gain / 40);
    double a0 = 1 + alpha / A;
    b0 = (1 + A * alpha) / a0;
    b1 = (-2 * std::cos(w0)) / a0;
    a1 = b1;
    b2 = (1 - A * alpha) / a0;
    a2 = (1 - alpha / A) / a0;
  }

  void Channel(double& sample, double* m) {
    double x = sample;
    double t = b1 * m[0] + b0 * x;
    t = b2 * m[1] + t;
    t = t - a1 * m[2];
    double y = t - a2 * m[3];
    y = Flush(y);
    m[3] = m[2];
    m[2] = y;
    m[1] = m[0];
    m[0] = x;
    sample = y;
  }

  void Process(double& l, double& r) {
    if (bypass) {
      return;
    }
    Channel(l, left);
    Channel(r, right);
  }
};

struct Envelope {
  double sampleRate = 44100;
  double attack = 100;
  double release = 500;
  double releaseCoef = 0;
  double attackCoef = 0;
  double state = 0;
  double k = -5.0;

  void SetSampleRate(double fs) {
    sampleRate = fs;
    releaseCoef = release != 0 ? std::exp(k / (release * fs * 0.001)) : 0;
    attackCoef = attack != 0 ? std::exp(k / (attack * fs * 0.001)) : 0;
  }
  void SetAttack(double ms) {
    attack = ms;
    attackCoef = ms != 0 ? std::exp(k / (ms * sampleRate * 0.001)) : 0;
  }
  void SetRelease(double ms) {
    release = ms;
    releaseCoef = ms != 0 ? std::exp(k / (ms * sampleRate * 0.001)) : 0;
  }
  void Process(double& x) {
    double s = state;
    if (x > s) {
      s = x + (s - x) * attackCoef;
    } else {
      s = x + (s - x) * releaseCoef;
    }
    s = Flush(s);
    state = s;
    x = s;
  }
};

struct Smoother {
  double sampleRate = 44100;
  double time = 500;
  double coef = 0;
  double state = 0;
  double k = -5.0;

  void SetSampleRate(double fs) {
    sampleRate = fs;
    coef = time != 0 ? 1 - std::exp(k / (time * 0.001 * fs)) : 1;
    state = 0;
  }
  void SetTime(double ms) {
    time = ms;
    coef = ms != 0 ? 1 - std::exp(k / (ms * 0.001 * sampleRate)) : 1;
  }
  void Process(double& x) {
    double s = (x - state) * coef + state;
    s = Flush(s);
    state = s;
    x = s;
  }
};

struct PeakFollower {
  double sampleRate = 44100;
  double release = 500;
  double releaseCoef = 0;
  double leftState = 0;
  double rightState = 0;
  double k = -1.00239343;

  void SetSampleRate(double fs) {
    sampleRate = fs;
    releaseCoef = release != 0 ? std::exp(k / (release * fs * 0.001)) : 0;
  }
  void SetRelease(double ms) {
    release = ms;
    releaseCoef = ms != 0 ? std::exp(k / (ms * sampleRate * 0.001)) : 0;
  }
  void Channel(double& v, double& s) {
    v = std::fabs(v);
    if (v > s) {
      s = v;
    } else {
      s = v + (s - v) * releaseCoef;
    }
    s = Flush(s);
    v = s <= 1.5848931070649996e-05 ? -96 : 20 * std::log10(s);
  }
  void Process(double& l, double& r) {
    Channel(l, leftState);
    Channel(r, rightState);
  }
};

struct Compressor {
  double ratio = 1.0;
  double threshold = 0;
  double makeup = 1.0;
  double gainChange = 0;
  Envelope envelope;
  Smoother smoother;

  Compressor() { smoother.SetTime(20); }

  void SetSampleRate(double fs) {
    envelope.SetSampleRate(fs);
    smoother.SetSampleRate(fs);
  }
  void SetRatio(double r) { ratio = r; }
  void SetThreshold(double t) { threshold = t; }
  void SetAttack(double ms) { envelope.SetAttack(ms); }
  void SetRelease(double ms) { envelope.SetRelease(ms); }
  void SetMakeupGain(double dB) { makeup = std::pow(10.0, dB / 20); }

  void Process(double& L, double& R, int mode) {
    double level = -96;
    double v = 0;
    if (mode == 2) {
      v = (std::fabs(L) + std::fabs(R)) * 0.5;
    } else if (mode == 1) {
      v = std::fabs(L);
    }
    if ((mode == 1 || mode == 2) && v > 0) {
      level = 20 * std::log10(v);
    }
    double reduction = 0;
    if (level > threshold) {
      double over = level - threshold;
      reduction = over - over / ratio;
    }
    envelope.Process(reduction);
    gainChange = -reduction;
    double g = std::pow(10.0, reduction / -20);
    double m = makeup;
    smoother.Process(m);
    L = L * (g * m);
    R = R * (g * m);
  }
};

struct Limiter {
  double threshold = 0;
  PeakFollower follower;

  Limiter() { follower.SetRelease(3); }

  void SetSampleRate(double fs) { follower.SetSampleRate(fs); }
  void Process(double& L, double& R) {
    double dBL = L;
    double dBR = R;
    follower.Process(dBL, dBR);
    double over = threshold - std::max(dBR, dBL);
    double g = std::pow(10.0, std::min(0.0, over) / 20);
    L = std::max(-1.0, std::min(L * g, 1.0));
    R = std::max(-1.0, std::min(R * g, 1.0));
  }
};

struct Meter {
  double minimum = -48;
  double minimumLinear = 0.003981071705534973;
  double displayed = -48;
  double held = 0.003981071705534973;
  Envelope envelope;

  Meter() {
    envelope.state = -48;
    envelope.SetAttack(0);
    envelope.SetRelease(5000);
  }
  void SetSampleRate(double fs) {
    envelope.SetSampleRate(fs);
    displayed = minimum;
    held = minimumLinear;
  }
  void SetLevel(bool isGainChange, double value) {
    double x;
    if (isGainChange) {
      x = minimum - value;
    } else {
      if (std::fabs(value) > held) {
        held = std::fabs(value);
      }
      double p = held;
      if (minimumLinear >= p) {
        held = p = minimumLinear;
      } else if (p >= 1.0) {
        held = p = 1.0;
      }
      x = 20 * std::log10(p);
    }
    envelope.Process(x);
    displayed = std::max(x, minimum);
  }
  void Drawn() { held = minimumLinear; }
};

}  // namespace ref
