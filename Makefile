# make run   - install what is missing, build, start the program
# make test  - install what is missing, build, run every test
BUILD_DIR ?= build
ASAN_DIR ?= build-asan
FUZZ_DIR ?= build-fuzz
# Seconds each fuzz target runs: make fuzz FUZZ_TIME=7200
FUZZ_TIME ?= 600
JOBS ?= $(shell nproc)

.PHONY: all deps configure build run test test-install test-asan fuzz fuzz-build fuzz-check deb bench format format-check clean

all: build

deps:
	@sh scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	cd $(BUILD_DIR)/bin && ./qarv

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)
	@$(MAKE) --no-print-directory test-install
	@$(MAKE) --no-print-directory format-check
	@$(MAKE) --no-print-directory test-asan
	@$(MAKE) --no-print-directory fuzz-check

# Every test, the windows' included, under AddressSanitizer + UndefinedBehaviorSanitizer.
test-asan: deps
	@cmake -S . -B $(ASAN_DIR) -DCMAKE_BUILD_TYPE=Debug -DQARV_SANITIZE=ON -DQARV_GUI=ON >/dev/null
	@cmake --build $(ASAN_DIR) -j $(JOBS)
	cd $(ASAN_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The fuzz targets: libFuzzer with AddressSanitizer and UndefinedBehaviorSanitizer.
fuzz-build: deps
	@cmake -S . -B $(FUZZ_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQARV_FUZZ=ON \
		-DCMAKE_CXX_COMPILER=clang++ >/dev/null
	@cmake --build $(FUZZ_DIR) -j $(JOBS)

# Every target's seeds and regression inputs replayed, then 30 s of fuzzing each.
fuzz-check: fuzz-build
	@sh tests/fuzz/run-fuzz.sh $(FUZZ_DIR) 30

fuzz: fuzz-build
	@sh tests/fuzz/run-fuzz.sh $(FUZZ_DIR) $(FUZZ_TIME)

# The installed tree in a temporary DESTDIR, and the installed qarv-cli run from it.
test-install: build
	@sh tests/install/check-install.sh $(BUILD_DIR)

# A Debian package in $(BUILD_DIR)/packages: apt-get install ./$(BUILD_DIR)/packages/qarv_*.deb
deb: build
	cd $(BUILD_DIR) && cpack -G DEB
	@sh tests/install/check-deb.sh $(BUILD_DIR)

bench: build
	@for b in $(BUILD_DIR)/bin/bench_*; do echo "== $$b"; $$b || exit 1; done

format:
	@find src tests bench -name '*.cpp' -o -name '*.h' | xargs clang-format -i

format-check:
	@find src tests bench -name '*.cpp' -o -name '*.h' | xargs clang-format --dry-run --Werror

clean:
	rm -rf $(BUILD_DIR) $(ASAN_DIR) $(FUZZ_DIR)
