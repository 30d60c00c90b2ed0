"""Ends a test server once its test program is gone (a crashed test runs no destructor to stop it)."""
import os
import threading
import time


def exit_with_parent():
    parent = os.getppid()

    def watch():
        while os.getppid() == parent:
            time.sleep(0.2)
        os._exit(0)

    threading.Thread(target=watch, daemon=True).start()
