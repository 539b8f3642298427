# Two commands do all the set-up on a fresh Debian machine: `make run` and `make test`.
PACKAGES := cmake ninja-build g++ make qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite \
            libgtest-dev libgmock-dev libbenchmark-dev sqlite3 fonts-dejavu-core \
            python3-aiosmtpd poppler-utils xdg-utils
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
JOBS := $(shell nproc)

RUN_DIR  := build
TEST_DIR := build-test

.PHONY: run test deps build build-test bench clean

deps:
	@missing=""; for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y --no-install-recommends $$missing; \
	fi

$(RUN_DIR)/build.ninja: | deps
	cmake -S . -B $(RUN_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

$(TEST_DIR)/build.ninja: | deps
	cmake -S . -B $(TEST_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCP_SANITIZE=ON

build: deps $(RUN_DIR)/build.ninja
	cmake --build $(RUN_DIR) -j $(JOBS) --target careportfolio

build-test: deps $(TEST_DIR)/build.ninja
	cmake --build $(TEST_DIR) -j $(JOBS)

run: build
	./$(RUN_DIR)/bin/careportfolio

test: build-test
	cd $(TEST_DIR) && ctest --output-on-failure -j $(JOBS)

bench: build
	cmake --build $(RUN_DIR) --target benchmarks
	@for b in $(RUN_DIR)/bin/bench_*; do echo "== $$b"; $$b; done

clean:
	rm -rf $(RUN_DIR) $(TEST_DIR)
