# SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
# SPDX-License-Identifier: GPL-3.0-or-later

"""The real X11 clipboard of a session, read and set through xclip as any
other client does, and a Windows program under Wine that holds it open."""

import os
import signal
import subprocess

from harness import WAIT, check, wait_for


class Clipboard:
    """The clipboard tools of an X session (xsession.XSession): they run in
    its environment, through its _run, and keep their files in its tmp."""

    def clipboard_text(self):
        """The clipboard's text, or None. An owner that does not answer
        counts as none: Wine's clipboard bridge, now and then, lets a request
        drop; the next one is answered."""
        try:
            result = self._run(["xclip", "-o", "-selection", "clipboard", "-t", "UTF8_STRING"],
                               check_rc=False, timeout=5)
        except subprocess.TimeoutExpired:
            print("    (xclip -o sans réponse en 5 s : nouvelle demande)", flush=True)
            return None
        if result.returncode != 0:
            return None
        return result.stdout.decode("utf-8")

    def clipboard_targets(self):
        result = self._run(["xclip", "-o", "-selection", "clipboard", "-t", "TARGETS"],
                           check_rc=False)
        return set(result.stdout.decode(errors="replace").split()) if result.returncode == 0 else set()

    def set_clipboard(self, text):
        # xclip keeps serving the text from a child of its own until another
        # client takes the clipboard.
        subprocess.run(["xclip", "-i", "-selection", "clipboard"], env=self.env,
                       input=text.encode("utf-8"), stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=WAIT, check=True)
        wait_for(lambda: self.clipboard_text() == text, "le texte dans le presse-papiers")

    def set_clipboard_without_text(self):
        """The clipboard holding a picture and no text at all."""
        picture = os.path.join(self.tmp, "picture.png")
        with open(picture, "wb") as f:
            f.write(bytes.fromhex(
                "89504e470d0a1a0a0000000d4948445200000001000000010806000000"
                "1f15c4890000000d49444154789c6360f8cf0000030101001823d2a90000"
                "000049454e44ae426082"))
        subprocess.run(["xclip", "-i", "-selection", "clipboard", "-t", "image/png", picture],
                       env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                       timeout=WAIT, check=True)
        # xclip hands its picture out whatever the target asked for; the
        # program, like any client, goes by the list of targets.
        wait_for(lambda: self.clipboard_targets() == {"TARGETS", "image/png"},
                 "une image seule dans le presse-papiers")

    def hold_clipboard_silently(self, text):
        """Another client owns the clipboard and never answers: xclip, which
        serves `text` until it is stopped. Give it to release_clipboard."""
        owner = subprocess.Popen(["xclip", "-i", "-quiet", "-selection", "clipboard"],
                                 env=self.env, stdin=subprocess.PIPE,
                                 stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        owner.stdin.write(text.encode("utf-8"))
        owner.stdin.close()
        wait_for(lambda: self.clipboard_text() == text, "le texte de xclip dans le presse-papiers")
        owner.send_signal(signal.SIGSTOP)
        return owner

    def release_clipboard(self, owner):
        """Ends a silent owner: the clipboard then has no owner at all."""
        owner.kill()
        owner.wait(timeout=WAIT)

    def hold_windows_clipboard(self, holder_exe):
        """A Windows program holds the clipboard open until
        release_windows_clipboard."""
        holder = subprocess.Popen([self.wine.run_script, holder_exe], env=self.env,
                                  stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                  stderr=self._log("hold_clipboard"))
        # "held" once it holds it; nothing if it ends without.
        check(holder.stdout.readline().strip() == b"held",
              "hold_clipboard.exe n'a pas pu ouvrir le presse-papiers")
        return holder

    def release_windows_clipboard(self, holder):
        holder.stdin.close()
        holder.wait(timeout=WAIT)
