// How long one conversion of a typed number takes, side by side in the same binary:
//   given     selectOption with the convention given;
//   platform  selectOption reading the platform's convention, the window's path;
//   floor     std::from_chars plus std::to_chars on the same number already in C form, the
//             least any reading and writing of a double can cost;
//   toolkit   QLocale(Italian).toDouble plus QLocale::toString(value, 'g', 15), what the
//             window would do without the core.
// After the usual table, a second one gives per text the CPU time per call of each and the
// ratios given/floor, platform/floor and toolkit/given, from the medians when run with
// --benchmark_repetitions. They are measurements, not goals. CPU time rather than real time: on a shared machine, time spent
// preempted would otherwise be charged to whichever path was running.
// The platform path reads QLocale::system(); run with LC_ALL=it_IT.UTF-8 so that it reads
// the Italian texts (bench/run_number_text.sh does).

#include <benchmark/benchmark.h>

#include <QLocale>
#include <QString>

#include <array>
#include <charconv>
#include <cstdio>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "core/app_error.h"
#include "core/conversion_table.h"
#include "core/number_text.h"
#include "core/option_handling.h"

namespace {

using tramela::FormState;
using tramela::kItalianConvention;
using tramela::OptionId;

struct Sample {
  std::string_view italian;  // as the user types it
  std::string_view cForm;    // the same number as from_chars reads it
};

constexpr std::array kSamples{
    Sample{"1,5", "1.5"},
    Sample{"38,099999999999994", "38.099999999999994"},
    Sample{"1.000,5", "1000.5"},
    Sample{"6,02214076E+23", "6.02214076E+23"},
};

// Every path converts with the first entry (pollici to millimetri), a multiplication.
constexpr OptionId kOption = OptionId::Option1;
constexpr int kSignificantDigits = 15;

enum class Path { Given, Platform, Floor, Toolkit, Count };
constexpr std::array<const char*, static_cast<int>(Path::Count)> kPathNames{
    "selectOption_given", "selectOption_platform", "floor", "toolkit"};

// The number every path should read from a sample, to check that all of them do the same work.
double expectedValue(const Sample& sample) {
  double value = 0;
  std::from_chars(sample.cForm.data(), sample.cForm.data() + sample.cForm.size(), value);
  return value;
}

// Converts once, so that the result string already holds a result as a window's does after
// its first conversion, and checks that the core reads the number the references read.
// Skips the benchmark and returns false when it does not.
template <typename Select>
bool warmUp(benchmark::State& state, Sample sample, FormState& form, Select select) {
  try {
    select(form);
    if (tramela::parseNumber(sample.italian, kItalianConvention) != expectedValue(sample)) {
      state.SkipWithError("parseNumber read another number");
      return false;
    }
  } catch (const tramela::AppError& error) {
    state.SkipWithError(error.what());
    return false;
  }
  return true;
}

void selectOptionGiven(benchmark::State& state, Sample sample) {
  FormState form{std::string(sample.italian), {}};
  const auto select = [](FormState& f) { tramela::selectOption(f, kOption, kItalianConvention); };
  if (!warmUp(state, sample, form, select)) return;
  for (auto _ : state) {
    select(form);
    benchmark::DoNotOptimize(form.resultText.data());
    benchmark::ClobberMemory();
  }
}

void selectOptionPlatform(benchmark::State& state, Sample sample) {
  FormState form{std::string(sample.italian), {}};
  const auto select = [](FormState& f) { tramela::selectOption(f, kOption); };
  if (!warmUp(state, sample, form, select)) return;
  for (auto _ : state) {
    select(form);
    benchmark::DoNotOptimize(form.resultText.data());
    benchmark::ClobberMemory();
  }
}

void floorPath(benchmark::State& state, Sample sample) {
  const std::string input(sample.cForm);
  std::array<char, 32> output;
  for (auto _ : state) {
    const char* begin = input.data();
    benchmark::DoNotOptimize(begin);
    double value = 0;
    std::from_chars(begin, begin + input.size(), value);
    benchmark::DoNotOptimize(value);
    const char* end = std::to_chars(output.data(), output.data() + output.size(), value,
                                    std::chars_format::general, kSignificantDigits)
                          .ptr;
    benchmark::DoNotOptimize(end);
    benchmark::DoNotOptimize(output.data());
    benchmark::ClobberMemory();
  }
  double value = 0;
  std::from_chars(input.data(), input.data() + input.size(), value);
  if (value != expectedValue(sample)) state.SkipWithError("from_chars read another number");
}

void toolkitPath(benchmark::State& state, Sample sample) {
  const QLocale locale(QLocale::Italian, QLocale::Italy);
  // The window's line edit hands over a QString, so the input is one already.
  const QString input = QString::fromUtf8(sample.italian.data(), sample.italian.size());
  bool ok = false;
  if (locale.toDouble(input, &ok) != expectedValue(sample) || !ok) {
    state.SkipWithError("QLocale::toDouble read another number");
    return;
  }
  QString output;
  for (auto _ : state) {
    double value = locale.toDouble(input, &ok);
    benchmark::DoNotOptimize(value);
    benchmark::DoNotOptimize(ok);
    output = locale.toString(value, 'g', kSignificantDigits);
    benchmark::DoNotOptimize(output.constData());
    benchmark::ClobberMemory();
  }
}

// Which path and sample each registered name stands for, for the ratio table, and whether
// the benchmark skipped itself with an error (its time then means nothing).
struct Registered {
  Path path;
  std::size_t sample;
  bool failed = false;
};
std::map<std::string, Registered>& registry() {
  static std::map<std::string, Registered> names;
  return names;
}

void registerAll() {
  using Function = void (*)(benchmark::State&, Sample);
  constexpr std::array<Function, static_cast<int>(Path::Count)> kFunctions{
      selectOptionGiven, selectOptionPlatform, floorPath, toolkitPath};
  for (std::size_t p = 0; p < kFunctions.size(); ++p) {
    for (std::size_t s = 0; s < kSamples.size(); ++s) {
      const std::string name = std::string(kPathNames[p]) + "/\"" + std::string(kSamples[s].italian) + "\"";
      // The reporter's record of an error differs between Google Benchmark 1.7 and 1.9,
      // State::error_occurred does not: the failure is noted here for the reporter.
      benchmark::RegisterBenchmark(name.c_str(), [function = kFunctions[p], sample = kSamples[s],
                                                  name](benchmark::State& state) {
        function(state, sample);
        if (state.error_occurred()) registry()[name].failed = true;
      });
      registry()[name] = {static_cast<Path>(p), s};
    }
  }
}

// The console table as usual, then the ratios per text from the medians (or from the single
// run when there are no repetitions).
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  RatioReporter() : ConsoleReporter(OO_Tabular) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
      if (!median && !single) continue;
      const auto found = registry().find(run.run_name.function_name);
      if (found == registry().end() || found->second.failed) continue;
      nanoseconds_[{found->second.sample, found->second.path}] = run.GetAdjustedCPUTime();
    }
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    std::printf("\n%-22s %9s %9s %9s %9s %12s %15s %14s\n", "text", "given", "platform", "floor",
                "toolkit", "given/floor", "platform/floor", "toolkit/given");
    std::printf("%-22s %9s %9s %9s %9s\n", "", "ns", "ns", "ns", "ns");
    for (std::size_t s = 0; s < kSamples.size(); ++s) {
      const double given = time(s, Path::Given);
      const double platform = time(s, Path::Platform);
      const double floor = time(s, Path::Floor);
      const double toolkit = time(s, Path::Toolkit);
      if (given <= 0 || platform <= 0 || floor <= 0 || toolkit <= 0) continue;
      char quoted[32];
      std::snprintf(quoted, sizeof quoted, "\"%.*s\"", static_cast<int>(kSamples[s].italian.size()),
                    kSamples[s].italian.data());
      std::printf("%-22s %9.1f %9.1f %9.1f %9.1f %12.2f %15.2f %14.1f\n", quoted, given, platform, floor,
                  toolkit, given / floor, platform / floor, toolkit / given);
    }
    std::fflush(stdout);
  }

 private:
  double time(std::size_t sample, Path path) const {
    const auto found = nanoseconds_.find({sample, path});
    return found == nanoseconds_.end() ? 0 : found->second;
  }

  std::map<std::pair<std::size_t, Path>, double> nanoseconds_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  registerAll();
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
