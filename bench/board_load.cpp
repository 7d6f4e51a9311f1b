// board_load: load and attacks for measuring a score board on this machine.
// Every request goes to 127.0.0.1; every run is bounded in count and time.
//
//   board_load fill DB SCORES [GAMERS]    a board database with SCORES scores among GAMERS gamers
//   board_load posts PORT COUNT           COUNT scores posted one after another: posts per second
//   board_load page PORT COUNT            GET / COUNT times: median and worst time, page size
//   board_load slow PORT CLIENTS SECONDS  CLIENTS connections sending a byte a second while
//                                         GET / is timed once a second (10 s at most each),
//                                         for SECONDS seconds
//   board_load chunked PORT MEGABYTES     one chunked body of that size, with the game's credentials
//   board_load gzip PORT KILOBYTES        one chunked gzip body of that size that inflates a thousandfold

#include <httplib.h>
#include <sqlite3.h>

#include <algorithm>
#include <atomic>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <memory>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "board/raw_client.h"
#include "board_store.h"
#include "scoreboard/board_protocol.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr const char* kHost = "127.0.0.1";

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

long Number(const char* text) {
  long value = -1;
  const std::string_view t(text);
  const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
  return ec == std::errc() && end == t.data() + t.size() ? value : -1;
}

std::string Credentials() {
  return httplib::make_basic_authentication_header(sb::board::kUser, sb::board::kPassword).second;
}

using sb::test::RawClient;

// The first line of what the board answers, waiting half a minute at most.
std::string FirstLine(RawClient& raw) {
  const std::string answer = raw.ReadToEnd(std::chrono::seconds(30));
  return answer.empty() ? "(no answer)" : answer.substr(0, answer.find("\r\n"));
}

int Fill(const char* db, long scores, long gamers) {
  { sb::board::BoardStore create(db); }  // the board's own tables, indexes and triggers
  sqlite3* raw = nullptr;
  if (sqlite3_open(db, &raw) != SQLITE_OK) return 1;
  sqlite3_exec(raw, "BEGIN", nullptr, nullptr, nullptr);
  sqlite3_stmt* insert = nullptr;
  sqlite3_prepare_v2(raw, "INSERT INTO scores (gamer, score, date, received) VALUES (?1, ?2, ?3, ?4)", -1, &insert,
                     nullptr);
  uint64_t seed = 12345;
  for (long i = 0; i < scores; ++i) {
    seed = seed * 6364136223846793005u + 1442695040888963407u;
    const std::string gamer = "gamer" + std::to_string((seed >> 33) % static_cast<uint64_t>(gamers));
    sqlite3_bind_text(insert, 1, gamer.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_int64(insert, 2, static_cast<int64_t>((seed >> 17) % 10'000'000));
    sqlite3_bind_text(insert, 3, "2024-05-01 13:45:07", -1, SQLITE_STATIC);
    sqlite3_bind_text(insert, 4, "2024-05-01 13:45:08", -1, SQLITE_STATIC);
    if (sqlite3_step(insert) != SQLITE_DONE) {
      std::cerr << "board_load: " << sqlite3_errmsg(raw) << '\n';
      return 1;
    }
    sqlite3_reset(insert);
  }
  sqlite3_finalize(insert);
  const int rc = sqlite3_exec(raw, "COMMIT", nullptr, nullptr, nullptr);
  sqlite3_close(raw);
  std::cout << "filled " << db << " with " << scores << " scores among " << gamers << " gamers\n";
  return rc == SQLITE_OK ? 0 : 1;
}

int Posts(int port, long count) {
  long stored = 0;
  double worst = 0;
  const auto start = Clock::now();
  for (long i = 0; i < count; ++i) {
    const auto sent = Clock::now();
    httplib::Client client(kHost, port);
    client.set_basic_auth(sb::board::kUser, sb::board::kPassword);
    client.set_read_timeout(30, 0);
    const auto r = client.Post(sb::board::kSubmitPath,
                               "boardtitle=SBServer&gamer=load" + std::to_string(i % 50) + "&score=" + std::to_string(i) +
                                   "&date=2024-05-01%2013%3A45%3A07\r\n",
                               "application/x-www-form-urlencoded");
    if (r && r->status == 200 && r->body == "success") ++stored;
    worst = std::max(worst, Ms(Clock::now() - sent));
  }
  const double seconds = Ms(Clock::now() - start) / 1000;
  std::printf("posts: %ld of %ld stored in %.2f s: %.1f posts/s, the slowest %.1f ms\n", stored, count, seconds,
              stored / seconds, worst);
  return stored == count ? 0 : 1;
}

// One GET / on a fresh connection: milliseconds, or -1 when it failed.
double TimedPage(int port, size_t* bytes = nullptr) {
  httplib::Client client(kHost, port);
  client.set_connection_timeout(10, 0);
  client.set_read_timeout(10, 0);
  const auto start = Clock::now();
  const auto r = client.Get("/");
  if (!r || r->status != 200) return -1;
  if (bytes) *bytes = r->body.size();
  return Ms(Clock::now() - start);
}

int Page(int port, long count) {
  std::vector<double> times;
  size_t bytes = 0;
  for (long i = 0; i < count; ++i) {
    const double t = TimedPage(port, &bytes);
    if (t < 0) {
      std::cerr << "board_load: GET / failed\n";
      return 1;
    }
    times.push_back(t);
  }
  std::sort(times.begin(), times.end());
  std::printf("page: %zu bytes; median %.1f ms, worst %.1f ms over %ld requests\n", bytes, times[times.size() / 2],
              times.back(), count);
  return 0;
}

int Slow(int port, long clients, long seconds) {
  std::vector<std::unique_ptr<RawClient>> slow;
  for (long i = 0; i < clients; ++i) {
    slow.push_back(std::make_unique<RawClient>(port));
    slow.back()->Send("POST /board/subscore.php HTTP/1.1\r\nHo");
  }
  std::atomic<bool> done = false;
  std::thread trickle([&] {
    while (!done) {
      for (auto& c : slow) c->Send("s");
      std::this_thread::sleep_for(std::chrono::seconds(1));
    }
  });
  const auto end = Clock::now() + std::chrono::seconds(seconds);
  while (Clock::now() < end) {
    const auto start = Clock::now();
    const double t = TimedPage(port);
    long open = 0;
    for (auto& c : slow) open += c->BoardSpoke() ? 0 : 1;
    if (t < 0) {
      std::printf("GET / beside %ld slow clients: failed after %.0f ms (%ld still connected)\n", clients,
                  Ms(Clock::now() - start), open);
    } else {
      std::printf("GET / beside %ld slow clients: %.1f ms (%ld still connected)\n", clients, t, open);
    }
    std::fflush(stdout);
    std::this_thread::sleep_until(start + std::chrono::seconds(1));
  }
  done = true;
  trickle.join();
  return 0;
}

int Chunked(int port, long megabytes) {
  RawClient raw(port);
  if (!raw.Connected()) return 1;
  raw.Send("POST /board/subscore.php HTTP/1.1\r\nHost: 127.0.0.1\r\nAuthorization: " + Credentials() +
           "\r\nTransfer-Encoding: chunked\r\n\r\n");
  const std::string chunk = "10000\r\n" + std::string(0x10000, 'a') + "\r\n";  // 64 KB
  long sent = 0;
  for (; sent < megabytes * 16 && !raw.BoardSpoke() && raw.Send(chunk); ++sent) {
  }
  if (sent == megabytes * 16) raw.Send("0\r\n\r\n");
  std::printf("chunked: %.1f MB sent; the board answered: %s\n", sent / 16.0, FirstLine(raw).c_str());
  return 0;
}

int Gzip(int port, long kilobytes) {
  std::string body;
  httplib::detail::gzip_compressor gzip;
  const std::string zeros(1 << 20, '\0');
  long inflated = 0;
  while (body.size() < static_cast<size_t>(kilobytes) * 1024) {
    gzip.compress(zeros.data(), zeros.size(), false, [&body](const char* data, size_t size) {
      body.append(data, size);
      return true;
    });
    ++inflated;
  }
  gzip.compress(nullptr, 0, true, [&body](const char* data, size_t size) {
    body.append(data, size);
    return true;
  });
  // Chunked: a Content-Length this long would be refused before any inflating.
  std::string chunks;
  for (size_t at = 0; at < body.size(); at += 0x1000) {
    const std::string piece = body.substr(at, 0x1000);
    char size[16];
    std::snprintf(size, sizeof size, "%zx\r\n", piece.size());
    chunks += size + piece + "\r\n";
  }
  chunks += "0\r\n\r\n";
  RawClient raw(port);
  if (!raw.Connected()) return 1;
  const bool sent = raw.Send("POST /board/subscore.php HTTP/1.1\r\nHost: 127.0.0.1\r\nAuthorization: " + Credentials() +
                             "\r\nContent-Type: application/x-www-form-urlencoded\r\nContent-Encoding: gzip\r\n"
                             "Transfer-Encoding: chunked\r\n\r\n" +
                             chunks);
  std::printf("gzip: %zu KB inflating to %ld MB %s (chunked); the board answered: %s\n", body.size() / 1024, inflated,
              sent ? "sent" : "cut off", FirstLine(raw).c_str());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string_view what = argc > 1 ? argv[1] : "";
  const long a = argc > 3 ? Number(argv[3]) : -1;
  const long b = argc > 4 ? Number(argv[4]) : -1;
  if (what == "fill" && argc >= 4 && a > 0) return Fill(argv[2], a, b > 0 ? b : std::max(1L, a / 5));
  const long port = argc > 2 ? Number(argv[2]) : -1;
  if (port > 0 && port < 65536) {
    if (what == "posts" && a > 0 && a <= 100000) return Posts(static_cast<int>(port), a);
    if (what == "page" && a > 0 && a <= 10000) return Page(static_cast<int>(port), a);
    if (what == "slow" && a > 0 && a <= 1000 && b > 0 && b <= 600) return Slow(static_cast<int>(port), a, b);
    if (what == "chunked" && a > 0 && a <= 4096) return Chunked(static_cast<int>(port), a);
    if (what == "gzip" && a > 0 && a <= 4096) return Gzip(static_cast<int>(port), a);
  }
  std::cerr << "usage: board_load fill DB SCORES [GAMERS] | posts PORT COUNT | page PORT COUNT |\n"
               "                  slow PORT CLIENTS SECONDS | chunked PORT MEGABYTES | gzip PORT KILOBYTES\n";
  return 2;
}
