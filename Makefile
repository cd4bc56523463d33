# make test: install what is missing, build, run every test (and the unit tests once more under
# AddressSanitizer and UndefinedBehaviorSanitizer).
BUILD ?= build
ASAN_BUILD ?= build-asan
# CI builds with warnings as errors.
WERROR ?= $(if $(CI),ON,OFF)
CMAKE_FLAGS = -G Ninja -DCMAKE_BUILD_TYPE=Debug -DBREVIMAR_WERROR=$(WERROR)
CTEST_FLAGS = --output-on-failure --timeout 600 -j 2

.PHONY: deps build run test unit-sanitized fuzz screenshots bench soak install install-user deb format format-check clean

deps:
	@./scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)
	cmake --build $(BUILD)

run: build
	./scripts/run-app $(BUILD)/src/app/brevimar

test: build unit-sanitized
	ctest --test-dir $(BUILD) $(CTEST_FLAGS)

unit-sanitized: deps
	cmake -S . -B $(ASAN_BUILD) $(CMAKE_FLAGS) -DBREVIMAR_SANITIZE=ON
	cmake --build $(ASAN_BUILD) --target unit_tests
	ctest --test-dir $(ASAN_BUILD) -L unit $(CTEST_FLAGS)

# Each fuzz target for FUZZ_SECONDS against its corpus, in a clang build of its own; what
# crashes is minimised into fuzz/corpus/<target>/, which `make test` replays.
FUZZ_SECONDS ?= 60
fuzz: deps
	cmake -S . -B build-fuzz $(CMAKE_FLAGS) -DCMAKE_CXX_COMPILER=clang++ -DBREVIMAR_FUZZ=ON
	cmake --build build-fuzz --target fuzzers
	fuzz/run.sh build-fuzz $(FUZZ_SECONDS)

# Every view drawn as PNGs, light and dark, under $(BUILD)/tests/ui/screenshots.
screenshots: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS) -DBREVIMAR_SCREENSHOTS=ON
	cmake --build $(BUILD) --target ui_screenshots
	$(BUILD)/tests/ui/ui_screenshots
	@echo "Pictures in $(BUILD)/tests/ui/screenshots"

# Installs the programs, the desktop entry and the D-Bus service file under PREFIX, and makes
# Brevimar the handler of brevimar:// links.
PREFIX ?= /usr/local
install: deps
	cmake -S . -B build-install -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=$(PREFIX)
	cmake --build build-install --target brevimar brevimarctl manual_pages
	cmake --install build-install
	-xdg-mime default com.tovanex.Brevimar.desktop x-scheme-handler/brevimar

install-user:
	$(MAKE) install PREFIX=$(HOME)/.local

# The Debian package, build-deb/brevimar_<version>-1_<arch>.deb, from a Release build of only
# what it installs (CPack would otherwise build every test first).
deb: deps
	cmake -S . -B build-deb -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
		-DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON
	cmake --build build-deb --target brevimar brevimarctl manual_pages
	cd build-deb && cpack

# Benchmarks in an optimised build of their own.
bench: deps
	cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release
	cmake --build build-release --target bench_event_store bench_engine bench_context bench_insights bench_history_window bench_settings_window bench_calendar_switch_on brevimar brevimarctl tray_watcher floor_tray
	build-release/bench/bench_event_store
	build-release/bench/bench_engine
	build-release/bench/bench_context
	build-release/bench/bench_insights
	build-release/bench/bench_history_window
	build-release/bench/bench_settings_window
	./scripts/run-in-session bench/app-idle.sh build-release/src/app/brevimar build-release/tests/app/tray_watcher \
		build-release/bench/floor_tray
	./scripts/run-in-sway bench/app-idle.sh build-release/src/app/brevimar build-release/tests/app/tray_watcher \
		build-release/bench/floor_tray
	./scripts/run-in-session sh -c 'for run in cold warm; do \
		build-release/bench/bench_calendar_switch_on build-release/src/lib/brevimar/brevimar-calendar-eds.so; done'

# A simulated working day of the installed application in fast mode, with faults; not part of
# make test. SOAK_HOURS=… for a longer day, SOAK_SEED=… to repeat a run.
soak: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)
	cmake --build $(BUILD) --target brevimar brevimarctl soak_desktop
	./scripts/run-in-session tests/soak/soak.sh $(BUILD)

format:
	git ls-files --cached --others --exclude-standard '*.cpp' '*.h' | xargs clang-format -i

format-check:
	git ls-files --cached --others --exclude-standard '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) build-release build-install build-deb build-fuzz
