# Entry point for users and CI: every target installs what it needs first.
BUILD      ?= build
BENCH_BUILD ?= build-bench
JOBS       ?= $(shell nproc)

PAKETE_BAU  := cmake ninja-build g++ make libcli11-dev nlohmann-json3-dev qt6-base-dev fonts-liberation2
PAKETE_TEST := googletest libgtest-dev libgmock-dev xvfb xauth binutils-mingw-w64-x86-64 poppler-utils
PAKETE_BENCH := libbenchmark-dev

.PHONY: all run test bench pakete pakete-test pakete-bench bauen clean

all: bauen

pakete:
	@scripts/pakete.sh $(PAKETE_BAU)

pakete-test: pakete
	@scripts/pakete.sh $(PAKETE_TEST)

pakete-bench: pakete
	@scripts/pakete.sh $(PAKETE_BENCH)

$(BUILD)/build.ninja: | pakete-test
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DVENTARO_TESTS=ON

bauen: pakete-test $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

# Opens the window on the desktop.
run: bauen
	$(BUILD)/bin/ventaro

test: bauen
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench: pakete-bench
	cmake -S . -B $(BENCH_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DVENTARO_TESTS=OFF -DVENTARO_BENCH=ON
	cmake --build $(BENCH_BUILD) -j $(JOBS)
	$(BENCH_BUILD)/bin/ventaro-bench

clean:
	rm -rf $(BUILD) $(BENCH_BUILD)
