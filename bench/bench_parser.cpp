// Compilation and evaluation of formula texts beside muparser on the same
// texts and values. Each benchmark alternates batches of ours and of
// muparser, so that both meet the same machine load, and reports the times
// and their ratio ours/muparser. Also the compile time of long chains, which
// must stay far below 10 ms.

#include <benchmark/benchmark.h>
#include <muParser.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "parser/FormulaParser.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Formula {
  const char* name;
  const char* ours;
  const char* mu;
};

const Formula kFormulas[] = {
    {"sum", "A+1.1", "A+1.1"},
    {"volume", "D^2*7.854E-5*0.4436*H", "D^2*7.854E-5*0.4436*H"},
    {"site", "S*EXP(-4.7196*(A^(-0.51)-7^(-0.51)))", "S*exp(-4.7196*(A^(-0.51)-7^(-0.51)))"},
    {"polynomial", "1.5+2.3*X-0.7*X^2+0.11*X^3-0.013*X^4+0.0007*X^5",
     "1.5+2.3*X-0.7*X^2+0.11*X^3-0.013*X^4+0.0007*X^5"},
};

// The variables of both parsers.
struct Values {
  double A = 12, D = 20, H = 25, S = 30, X = 0.37;
};

void DefineOurs(TParser& p, const Values& v) {
  p.SetA(v.A);
  p.SetD(v.D);
  p.SetX(v.X);
  p.AssignVariable("H", v.H);
  p.AssignVariable("S", v.S);
}

void DefineMu(mu::Parser& p, Values& v) {
  p.DefineVar("A", &v.A);
  p.DefineVar("D", &v.D);
  p.DefineVar("H", &v.H);
  p.DefineVar("S", &v.S);
  p.DefineVar("X", &v.X);
}

double Nanoseconds(Clock::duration d) {
  return std::chrono::duration<double, std::nano>(d).count();
}

void Report(benchmark::State& state, double ours, double mu, long count) {
  state.counters["ours_ns"] = ours / count;
  state.counters["muparser_ns"] = mu / count;
  state.counters["ratio"] = ours / mu;
}

// Value against Eval with the same values in both: A and X run through a
// table, so that no evaluation waits for the one before.
void Evaluate(benchmark::State& state, const Formula& f) {
  constexpr int kBatch = 4096;
  std::vector<double> as(1024), xs(1024);
  for (int i = 0; i < 1024; ++i) {
    as[i] = 2 + i * 0.01;
    xs[i] = i / 1024.0;
  }
  TParser ours;
  Values oursValues, muValues;
  DefineOurs(ours, oursValues);
  ours.SetExpression(f.ours);
  mu::Parser mu;
  DefineMu(mu, muValues);
  mu.SetExpr(f.mu);
  mu.Eval();
  double oursTime = 0, muTime = 0;
  long count = 0;
  for (auto _ : state) {
    const auto t0 = Clock::now();
    for (int i = 0; i < kBatch; ++i) {
      ours.SetA(as[i & 1023]);
      ours.SetX(xs[i & 1023]);
      const double value = static_cast<double>(ours.Value());
      benchmark::DoNotOptimize(value);
    }
    const auto t1 = Clock::now();
    for (int i = 0; i < kBatch; ++i) {
      muValues.A = as[i & 1023];
      muValues.X = xs[i & 1023];
      const double value = mu.Eval();
      benchmark::DoNotOptimize(value);
    }
    const auto t2 = Clock::now();
    oursTime += Nanoseconds(t1 - t0);
    muTime += Nanoseconds(t2 - t1);
    count += kBatch;
  }
  Report(state, oursTime, muTime, count);
}

// Setting the text against SetExpr; muparser reads the text at its first Eval,
// so one evaluation is part of both.
void Compile(benchmark::State& state, const Formula& f) {
  constexpr int kBatch = 50;
  TParser ours;
  Values oursValues, muValues;
  DefineOurs(ours, oursValues);
  mu::Parser mu;
  DefineMu(mu, muValues);
  double oursTime = 0, muTime = 0;
  long count = 0;
  for (auto _ : state) {
    const auto t0 = Clock::now();
    for (int i = 0; i < kBatch; ++i) {
      ours.SetExpression(f.ours);
      const double value = static_cast<double>(ours.Value());
      benchmark::DoNotOptimize(value);
    }
    const auto t1 = Clock::now();
    for (int i = 0; i < kBatch; ++i) {
      mu.SetExpr(f.mu);
      const double value = mu.Eval();
      benchmark::DoNotOptimize(value);
    }
    const auto t2 = Clock::now();
    oursTime += Nanoseconds(t1 - t0);
    muTime += Nanoseconds(t2 - t1);
    count += kBatch;
  }
  Report(state, oursTime, muTime, count);
}

std::string Chain(const std::string& term, const std::string& op, int terms) {
  std::string s = term;
  for (int i = 1; i < terms; ++i) s += op + term;
  return s;
}

// Compiles (or rejects: past 20 levels) a long text.
void CompileLong(benchmark::State& state, const std::string& text) {
  TParser p;
  p.SetOnParserError([](TPersistent*, Exception&) {});
  for (auto _ : state) {
    p.SetExpression(text);
    benchmark::DoNotOptimize(p.ParserError());
  }
}

// Prints the table as usual, then a summary of the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    // With repetitions the median counts, otherwise the one run.
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median") continue;
      auto value = [&](const char* name) {
        auto it = run.counters.find(name);
        return it == run.counters.end() ? 0.0 : static_cast<double>(it->second);
      };
      Row& row = rows_[run.run_name.str()];
      row.ours = value("ours_ns");
      row.mu = value("muparser_ns");
      row.ratio = value("ratio");
      row.time = run.GetAdjustedRealTime();
    }
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    std::printf("\n%-12s %12s %12s %7s   %12s %12s %7s\n", "formula", "Value", "muparser", "ratio", "compile",
                "muparser", "ratio");
    for (const Formula& f : kFormulas) {
      const Row& e = rows_["evaluate/" + std::string(f.name)];
      const Row& c = rows_["compile/" + std::string(f.name)];
      std::printf("%-12s %10.2fns %10.2fns %7.2f   %10.2fus %10.2fus %7.2f\n", f.name, e.ours, e.mu, e.ratio,
                  c.ours / 1000, c.mu / 1000, c.ratio);
    }
    std::printf("\n200-term chains, compiled or rejected:\n");
    for (const auto& [name, row] : rows_)
      if (name.rfind("chain200/", 0) == 0) std::printf("  %-22s %10.1fus\n", name.c_str(), row.time);
  }

private:
  struct Row {
    double ours = 0, mu = 0, ratio = 0, time = 0;
  };
  std::map<std::string, Row> rows_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  for (const Formula& f : kFormulas) {
    const std::string n = f.name;
    benchmark::RegisterBenchmark(("evaluate/" + n).c_str(), Evaluate, f);
    benchmark::RegisterBenchmark(("compile/" + n).c_str(), Compile, f);
  }
  const std::pair<const char*, std::string> chains[] = {
      {"A-A-...", Chain("A", "-", 200)},         {"A/A/...", Chain("A", "/", 200)},
      {"A+A+...", Chain("A", "+", 200)},         {"A*A*...", Chain("A", "*", 200)},
      {"ADIVA...", Chain("A", "DIV", 200)},      {"A^A^...", Chain("A", "^", 200)},
      {"A-B*C-...", Chain("A-B*C", "-", 67)},    {"A*B/C-...", Chain("A*B/C", "-", 67)},
      {"1E-5-A-...", Chain("1E-5-A", "-", 100)}, {"A*-A*-...", Chain("A", "*-", 200)},
  };
  for (const auto& [name, text] : chains)
    benchmark::RegisterBenchmark((std::string("chain200/") + name).c_str(), CompileLong, text)
        ->Unit(benchmark::kMicrosecond);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
