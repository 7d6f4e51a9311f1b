#include "generator.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <iostream>
#include <mutex>
#include <thread>

#include "process.h"
#include "render.h"

namespace sg {

namespace {

namespace fs = std::filesystem;

double Seconds(const Sound& s) { return s.rate > 0 ? static_cast<double>(s.Frames()) / s.rate : 0.0; }

void CheckBound(const Entry& e, const Sound& s) {
  if (Seconds(s) > e.seconds) {
    throw std::runtime_error("came out " + std::to_string(Seconds(s)) + " s long, over its bound of " +
                             std::to_string(e.seconds) + " s; shorten the words or raise the bound");
  }
}

void EncodeMp3(const fs::path& wav, const fs::path& mp3, const fs::path& work) {
  const fs::path part = mp3.string() + ".part";
  const fs::path log = work / (mp3.filename().string() + ".log");
  const int status = RunProcess({"lame", "--quiet", "-m", "m", "-b", "64", "--noreplaygain", wav.string(), part.string()}, log);
  if (status == -1) throw std::runtime_error("cannot run lame; scripts/install-deps installs it");
  if (status != 0 || !fs::exists(part)) {
    throw std::runtime_error("the MP3 encoder (lame) failed with status " + std::to_string(status) + ": " + LogTail(log));
  }
  fs::rename(part, mp3);
}

void BuildOne(const Entry& e, const RenderContext& rc, const fs::path& out_dir, const fs::path& work) {
  const fs::path path = out_dir / e.file;
  fs::create_directories(path.parent_path());
  switch (e.kind) {
    case Kind::kEffect:
    case Kind::kMusic:
      WriteWav(path, RenderRecipeRow(e, rc));
      break;
    case Kind::kSpeech:
    case Kind::kBare: {
      const Sound s = e.kind == Kind::kSpeech ? RenderSpeechRow(e, rc) : RenderBareRow(e, rc);
      CheckBound(e, s);
      WriteWav(path, s);
      break;
    }
    case Kind::kMp3: {
      const Sound s = RenderScript(e, rc);
      CheckBound(e, s);
      const fs::path wav = work / (path.stem().string() + "-mp3-source.wav");
      WriteWav(wav, s);
      EncodeMp3(wav, path, work);
      fs::remove(wav);
      break;
    }
  }
}

// Long jobs first, so the last worker is not left with the intro alone.
int Cost(const Entry& e) {
  switch (e.kind) {
    case Kind::kMp3: return 3;
    case Kind::kMusic: return 2;
    default: return e.seconds > 3.0 ? 1 : 0;
  }
}

void RemoveStale(const Manifest& m, const fs::path& out_dir) {
  for (const char* top : {"sounds", "system"}) {
    const fs::path root = out_dir / top;
    if (!fs::exists(root)) continue;
    std::vector<fs::path> stale;
    for (const auto& item : fs::recursive_directory_iterator(root)) {
      if (!item.is_regular_file()) continue;
      const std::string rel = fs::relative(item.path(), out_dir).generic_string();
      const std::string norm = NormalizeName(rel);
      const bool sound = norm.ends_with(".wav") || norm.ends_with(".mp3");
      if (sound && (rel != norm || !m.Find(norm))) stale.push_back(item.path());
    }
    for (const fs::path& p : stale) fs::remove(p);
  }
}

}  // namespace

int RunGenerator(const GeneratorOptions& options) {
  const auto started = std::chrono::steady_clock::now();
  try {
    const Manifest manifest = LoadManifest(options.manifest);
    const int jobs = options.jobs > 0 ? options.jobs : static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    SpeechBank speech(options.cache / "speech", jobs);
    RenderContext rc{manifest, AllRecipes(), &speech, options.scripts};
    CheckContents(rc);

    std::vector<const Entry*> todo;
    for (const Entry& e : manifest.entries) {
      if (options.only.empty() || e.file.find(NormalizeName(options.only)) != std::string::npos) todo.push_back(&e);
    }
    std::stable_sort(todo.begin(), todo.end(), [](const Entry* a, const Entry* b) { return Cost(*a) > Cost(*b); });

    speech.Prepare(TextsToSpeak(manifest, options.scripts));
    const fs::path work = options.cache / "work";
    fs::create_directories(work);

    std::atomic<size_t> next{0};
    std::mutex report;
    int failures = 0;
    auto worker = [&] {
      for (size_t i = next++; i < todo.size(); i = next++) {
        const Entry& e = *todo[i];
        try {
          BuildOne(e, rc, options.out, work);
        } catch (const std::exception& ex) {
          std::lock_guard<std::mutex> lock(report);
          std::cerr << options.manifest.filename().string() << ":" << e.line << ": " << e.path << ": " << ex.what() << "\n";
          ++failures;
        }
      }
    };
    std::vector<std::thread> threads;
    for (int t = 0; t < jobs; ++t) threads.emplace_back(worker);
    for (std::thread& t : threads) t.join();
    if (failures > 0) {
      std::cerr << "sound tree: " << failures << " of " << todo.size() << " files could not be made\n";
      return 1;
    }
    if (options.only.empty()) RemoveStale(manifest, options.out);
    const double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::cout << "sound tree: " << todo.size() << " files in " << options.out.string() << " (" << took << " s, "
              << jobs << " jobs)\n";
    return 0;
  } catch (const std::exception& ex) {
    std::cerr << "sound tree: " << ex.what() << "\n";
    return 1;
  }
}

}  // namespace sg
