# Entry point for users and CI: every target installs what it needs first.
BUILD      ?= build
BENCH_BUILD ?= build-bench
SAN_BUILD  ?= build-san
FUZZ_BUILD ?= build-fuzz
JOBS       ?= $(shell nproc)
# Seconds each fuzz target runs under "make fuzz".
FUZZ_SEKUNDEN ?= 60
FUZZZIELE  := mikrocode ramdatei wort maschine skript

PAKETE_BAU  := cmake ninja-build g++ make libcli11-dev nlohmann-json3-dev qt6-base-dev qt6-translations-l10n fonts-liberation2
PAKETE_TEST := googletest libgtest-dev libgmock-dev xvfb xauth binutils-mingw-w64-x86-64 poppler-utils
PAKETE_BENCH := libbenchmark-dev
PAKETE_FUZZ := clang libclang-rt-14-dev

.PHONY: all run test test-san fuzz bench pakete pakete-test pakete-bench pakete-fuzz bauen clean

all: bauen

pakete:
	@scripts/pakete.sh $(PAKETE_BAU)

pakete-test: pakete
	@scripts/pakete.sh $(PAKETE_TEST)

pakete-bench: pakete
	@scripts/pakete.sh $(PAKETE_BENCH)

pakete-fuzz: pakete
	@scripts/pakete.sh $(PAKETE_FUZZ)

$(BUILD)/build.ninja: | pakete-test
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DVENTARO_TESTS=ON

bauen: pakete-test $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

# Opens the window on the desktop.
run: bauen
	$(BUILD)/bin/ventaro

test: bauen
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	@$(MAKE) --no-print-directory test-san

# The core and CLI tests, the hostile files and the fuzz corpus once more,
# built with AddressSanitizer and UndefinedBehaviorSanitizer: any report ends
# its program and so fails its test.
test-san: pakete-test
	cmake -S . -B $(SAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVENTARO_TESTS=ON -DVENTARO_GUI=OFF -DVENTARO_SANITIZER=ON
	cmake --build $(SAN_BUILD) -j $(JOBS)
	cd $(SAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j $(JOBS)

# Runs every fuzz target for FUZZ_SEKUNDEN seconds, starting from the
# committed corpus; new inputs go to $(FUZZ_BUILD)/korpus, findings to
# $(FUZZ_BUILD)/funde. Stops at the first target with a finding. The files
# the targets write go to memory (/dev/shm) where there is one.
fuzz: pakete-fuzz
	cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
	  -DVENTARO_TESTS=OFF -DVENTARO_GUI=OFF -DVENTARO_FUZZ=ON
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target $(addprefix fuzz_,$(FUZZZIELE))
	@set -e; if [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi; \
	for ziel in $(FUZZZIELE); do \
	  mkdir -p $(FUZZ_BUILD)/korpus/$$ziel $(FUZZ_BUILD)/funde; \
	  echo "== fuzz_$$ziel: $(FUZZ_SEKUNDEN) s"; \
	  ASAN_OPTIONS=malloc_context_size=2 $(FUZZ_BUILD)/fuzz/fuzz_$$ziel -max_total_time=$(FUZZ_SEKUNDEN) -timeout=30 -print_final_stats=1 \
	    -artifact_prefix=$(FUZZ_BUILD)/funde/$$ziel- $(FUZZ_BUILD)/korpus/$$ziel fuzz/korpus/$$ziel; \
	done

bench: pakete-bench
	cmake -S . -B $(BENCH_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DVENTARO_TESTS=OFF -DVENTARO_BENCH=ON
	cmake --build $(BENCH_BUILD) -j $(JOBS)
	$(BENCH_BUILD)/bin/ventaro-bench

clean:
	rm -rf $(BUILD) $(BENCH_BUILD) $(SAN_BUILD) $(FUZZ_BUILD)
