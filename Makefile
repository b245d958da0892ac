# Entry point for users and CI: every target installs what it needs first.
BUILD      ?= build
BENCH_BUILD ?= build-bench
SAN_BUILD  ?= build-san
FUZZ_BUILD ?= build-fuzz
PAKET_BUILD ?= build-paket
# The browser's build: the machine as WebAssembly (WASM_BUILD, a CMake tree
# for emscripten) and the page made from it (WEB_BUILD).
WASM_BUILD ?= build-wasm
WEB_BUILD  ?= build-web
WEB_PORT   ?= 8080
JOBS       ?= $(shell nproc)
# Seconds each fuzz target runs under "make fuzz".
FUZZ_SEKUNDEN ?= 60
FUZZZIELE  := mikrocode ramdatei wort maschine programmtext skript
# ON turns compiler warnings into errors; CI builds so.
WERROR     ?= OFF

PAKETE_BAU  := cmake ninja-build g++ make libcli11-dev nlohmann-json3-dev qt6-base-dev qt6-translations-l10n fonts-liberation2
PAKETE_TEST := googletest libgtest-dev libgmock-dev xvfb xauth binutils-mingw-w64-x86-64 poppler-utils
PAKETE_BENCH := libbenchmark-dev
PAKETE_FUZZ := clang libclang-rt-14-dev
# Building and checking the Debian package.
PAKETE_PAKET := dpkg-dev file lintian desktop-file-utils appstream shared-mime-info strace
# The browser: Debian's emscripten (offline, its system libraries prebuilt),
# node with npm for the page's tools, Debian's chromium for its tests.
PAKETE_WEB := emscripten nodejs chromium
# emscripten's optimizer finds acorn among Debian's node modules.
export NODE_PATH := /usr/share/nodejs

.PHONY: all run test test-san test-paket test-web paket fuzz fuzz-bauen bench web web-run pakete pakete-test pakete-bench pakete-fuzz pakete-paket pakete-web bauen bauen-test clean

all: bauen

pakete:
	@scripts/pakete.sh $(PAKETE_BAU)

pakete-test: pakete
	@scripts/pakete.sh $(PAKETE_TEST) $(PAKETE_BENCH)

pakete-bench: pakete
	@scripts/pakete.sh $(PAKETE_BENCH)

pakete-fuzz: pakete
	@scripts/pakete.sh $(PAKETE_FUZZ)

pakete-paket: pakete
	@scripts/pakete.sh $(PAKETE_PAKET)

# The npm packages exactly as the lock file names them, once per change of it.
pakete-web: pakete
	@scripts/pakete.sh $(PAKETE_WEB)
	@command -v npm >/dev/null || scripts/pakete.sh npm
	@if [ ! -f web/node_modules/.package-lock.json ] || [ web/package-lock.json -nt web/node_modules/.package-lock.json ]; then \
	  cd web && npm ci --no-audit --no-fund; fi

# The programs alone need only the build packages; the tests' packages come
# with "make test", which configures the same tree with its tests and the
# benchmarks (built, so they keep compiling; "make bench" runs them).
bauen: pakete
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DVENTARO_TESTS=OFF -DVENTARO_WERROR=$(WERROR)
	cmake --build $(BUILD) -j $(JOBS)

bauen-test: pakete-test web
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DVENTARO_TESTS=ON -DVENTARO_BENCH=ON -DVENTARO_WERROR=$(WERROR) \
	  -DVENTARO_CLI_JS=$(CURDIR)/$(WASM_BUILD)/bin/ventaro-cli.js
	cmake --build $(BUILD) -j $(JOBS)

# Opens the window on the desktop.
run: bauen
	$(BUILD)/bin/ventaro

# Everything but the package test, which "make test-paket" runs.
test: bauen-test
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS) -LE paket
	@$(MAKE) --no-print-directory test-web
	@$(MAKE) --no-print-directory test-san

# The page in headless chromium, served and from its single file.
test-web: web
	cd web && VENTARO_WEB=$(CURDIR)/$(WEB_BUILD) node --test tests/

# The page for a web server in $(WEB_BUILD)/, and $(WEB_BUILD)/ventaro.html,
# the same page as one file that runs from anywhere, file:// included.
web: pakete-web
	emcmake cmake -S . -B $(WASM_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DVENTARO_WERROR=$(WERROR) >/dev/null
	cmake --build $(WASM_BUILD) -j $(JOBS)
	cd web && npx tsc --noEmit -p .
	node web/baue.mjs $(WASM_BUILD)/src/web $(WEB_BUILD)

# Serves $(WEB_BUILD)/ on 127.0.0.1 and prints the address.
web-run: web
	node web/dienen.mjs $(WEB_BUILD) $(WEB_PORT)

# Builds the Debian package from $(BUILD), unpacks it into a temporary root,
# runs both programs from there and checks it with lintian and the
# validators of its desktop files.
test-paket: bauen-test pakete-paket
	cd $(BUILD) && ctest --output-on-failure -L paket

# The core and CLI tests, the hostile files and the fuzz corpus once more,
# built with AddressSanitizer and UndefinedBehaviorSanitizer: any report ends
# its program and so fails its test. The long run (label "lang") is left out:
# it only repeats, ten million times, the steps the other tests check.
test-san: pakete-test
	cmake -S . -B $(SAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVENTARO_TESTS=ON -DVENTARO_GUI=OFF -DVENTARO_SANITIZER=ON
	cmake --build $(SAN_BUILD) -j $(JOBS)
	cd $(SAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j $(JOBS) -LE lang

# Runs every fuzz target for FUZZ_SEKUNDEN seconds, starting from the
# committed corpus; new inputs go to $(FUZZ_BUILD)/korpus, findings to
# $(FUZZ_BUILD)/funde. Stops at the first target with a finding. The files
# the targets write go to memory (/dev/shm) where there is one.
fuzz: fuzz-bauen
	@set -e; if [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi; \
	for ziel in $(FUZZZIELE); do \
	  mkdir -p $(FUZZ_BUILD)/korpus/$$ziel $(FUZZ_BUILD)/funde; \
	  echo "== fuzz_$$ziel: $(FUZZ_SEKUNDEN) s"; \
	  ASAN_OPTIONS=malloc_context_size=2 $(FUZZ_BUILD)/fuzz/fuzz_$$ziel -max_total_time=$(FUZZ_SEKUNDEN) -timeout=30 -print_final_stats=1 \
	    -artifact_prefix=$(FUZZ_BUILD)/funde/$$ziel- $(FUZZ_BUILD)/korpus/$$ziel fuzz/korpus/$$ziel; \
	done

# The fuzz targets only; CI builds them so that they keep compiling.
fuzz-bauen: pakete-fuzz
	cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
	  -DVENTARO_TESTS=OFF -DVENTARO_GUI=OFF -DVENTARO_FUZZ=ON -DVENTARO_WERROR=$(WERROR)
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target $(addprefix fuzz_,$(FUZZZIELE))

# ventaro_VERSION_amd64.deb in this folder, built with all of Debian's
# hardening flags; install it with "apt install ./ventaro_VERSION_amd64.deb".
BAUFLAGGEN := DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get
paket: pakete-paket
	cmake -S . -B $(PAKET_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DVENTARO_TESTS=OFF -DCMAKE_INSTALL_PREFIX=/usr \
	  -DCMAKE_CXX_FLAGS="$$($(BAUFLAGGEN) CXXFLAGS) $$($(BAUFLAGGEN) CPPFLAGS)" \
	  -DCMAKE_EXE_LINKER_FLAGS="$$($(BAUFLAGGEN) LDFLAGS)"
	cmake --build $(PAKET_BUILD) -j $(JOBS)
	cd $(PAKET_BUILD) && cpack -G DEB
	cp $(PAKET_BUILD)/ventaro_*_amd64.deb .

# The machine natively, then the page in headless chromium against the
# native command line.
bench: pakete-bench web
	cmake -S . -B $(BENCH_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DVENTARO_TESTS=OFF -DVENTARO_BENCH=ON
	cmake --build $(BENCH_BUILD) -j $(JOBS)
	$(BENCH_BUILD)/bin/ventaro-bench
	cd web && node bench/seite.mjs $(CURDIR)/$(WEB_BUILD) $(CURDIR)/$(BENCH_BUILD)/bin/ventaro-cli

clean:
	rm -rf $(BUILD) $(BENCH_BUILD) $(SAN_BUILD) $(FUZZ_BUILD) $(PAKET_BUILD) $(WASM_BUILD) $(WEB_BUILD) ventaro_*_amd64.deb
