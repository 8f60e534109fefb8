#pragma once
// Moments of standardised Johnson SB variables u = (x - min)/(max - min) over ranges
// of their normal deviates: one variable, or two with correlated deviates.

// E[u^k] restricted to deviates in [lo, hi] under u = 1/(1 + exp((gamma - z)/delta)).
class TSbMoment {
public:
  double Compute(double lo, double hi, double gamma, double delta, double k);
  double Integrand(double z) const;

private:
  double gamma_ = 0.0;
  double delta_ = 1.0;
  double k_ = 0.0;
};

// E[u1^k1 u2^k2; z1 >= lo1, z2 >= lo2] for standard normal deviates with correlation
// rho, both deviates cut at 4; not divided by the probability of the region.
// Variable 1 is integrated inside, variable 2 outside.
class TSbbMoment {
public:
  double Compute(double lo1, double gamma1, double delta1, double k1, double lo2, double gamma2, double delta2,
                 double k2, double rho);
  double OuterIntegrand(double y);
  double InnerIntegral(double y);
  double InnerIntegrand(double x) const;

private:
  double lo1_ = 0.0;
  double gamma1_ = 0.0;
  double delta1_ = 1.0;
  double k1_ = 0.0;
  double lo2_ = 0.0;
  double gamma2_ = 0.0;
  double delta2_ = 1.0;
  double k2_ = 0.0;
  double rho_ = 0.0;
  double y_ = 0.0;
};
