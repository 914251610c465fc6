/* CLASS EveryKind
 * ------------------------------------
 * Project....:
 * Description:
 * Date.......: Jul - 2024
 * Author.....: Vaporina version 1.02 - Automatic Generator
 */

import java.awt.*;
import java.awt.event.*;
import javax.swing.*;

public class EveryKind extends JDialog {

// It inserts the data of the Creation of the Objects here

  public EveryKind() {
    try {
      mostra();
    } catch(Exception ex) {
      ex.printStackTrace();
    }
  }

  public void mostra() throws Exception {

// It inserts the data of the Creation of the Window here

// It inserts the data of the Creation of the Controls here in the Window

    this.addWindowListener(new java.awt.event.WindowAdapter() {
      public void windowClosing(WindowEvent e) {
        whenClosing(e);
      }
    });
  }

  private void whenClosing(WindowEvent e) {
    System.exit(0);
  }

  public static void main(String args[]) {
    EveryKind janela = new EveryKind();
    janela.show();
  }
}
